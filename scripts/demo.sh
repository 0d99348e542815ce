#!/usr/bin/env bash
# Runs the launcher's main job on the bundled sample mapping: "-n 4" asks for terminal 4's camera
# around the current time; other arguments are passed to the launcher instead.
#
#   scripts/demo.sh [--native] [LAUNCHER ARGUMENTS...]
#
# By default the shipped Windows launcher (32-bit) runs under Wine, on a display of its own, with
# a demo client installed as the video client that tells what it was asked to show; a message
# box's text is printed here, and the box is dismissed, instead of waiting for a click nobody can
# give. The first run makes a Wine prefix for the demo in build/wine-demo (about 15 seconds). The
# small Windows programs of the demo are in demo/.
# --native runs the Linux build instead, with a stand-in for wine that prints what it was asked
# to start.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

native=false
if [ "${1:-}" = --native ]; then
  native=true
  shift
fi
arguments=("$@")
[ $# -gt 0 ] || arguments=(-n 4)

scripts/install_dependencies.sh >/dev/null

native_demo() {
  cmake --preset native >/dev/null
  cmake --build --preset native --target pos-video-launcher >/dev/null

  demo=$(mktemp -d)
  trap 'rm -rf "$demo"' EXIT
  client_folder="$demo/prefix/dosdevices/c:/Program Files/Korvane/Client"
  mkdir -p "$client_folder" "$demo/bin" "$demo/store"
  cp examples/termToInput.xml "$demo/store/"
  # The client's standard streams are /dev/null: the stand-in tells what it saw in a file.
  cat >"$demo/bin/wine" <<STANDIN
#!/bin/sh
{
  printf 'client started: wine'; printf ' %s' "\$@"; printf '\\n  in %s\\n' "\$(pwd)"
  echo "--- KvCmdLine.xml as the client reads it ---"
  cat KvCmdLine.xml
} >"$demo/client.txt.part" && mv "$demo/client.txt.part" "$demo/client.txt"
STANDIN
  chmod +x "$demo/bin/wine"

  cd "$demo/store"
  PATH="$demo/bin:$PATH" WINEPREFIX="$demo/prefix" "$root/build/native/bin/pos-video-launcher" \
    "${arguments[@]}"
  # The launcher does not wait for the client: give the stand-in a few seconds.
  for _ in $(seq 50); do [ -e "$demo/client.txt" ] && break; sleep 0.1; done
  if [ -e "$demo/client.txt" ]; then cat "$demo/client.txt"; else echo "The client was not started."; fi
}

windows_demo() {
  source demo/wine_session.sh
  # Where the kernel cannot run 32-bit code, the same sources built for 64-bit Windows.
  local preset=windows
  if ! wine_session_runs_32_bit; then
    preset=windows-x64
    echo "This machine cannot run 32-bit Wine: running the launcher built for 64-bit Windows."
  fi
  scripts/fetch_tinyxml_source.sh build/tinyxml-source >/dev/null
  cmake --preset $preset >/dev/null
  cmake --build --preset $preset --target pos-video-launcher demo_client message_box_reader \
    wait_for_processes >/dev/null
  local bin=$root/build/$preset/bin

  session=$(mktemp -d)
  trap 'wine_session_stop; rm -rf "$session"' EXIT
  local prefix=$root/build/wine-demo/prefix
  [ -f "$prefix/system.reg" ] || echo "Making a Wine prefix for the demo in build/wine-demo (once)..."
  WINE_SESSION_SECONDS=120 wine_session_start "$bin" "$session" "$prefix" || {
    cat "$session"/*.log >&2
    exit 1
  }

  local client_dir="$prefix/drive_c/Program Files/Korvane/Client" store=$prefix/drive_c/store
  mkdir -p "$client_dir" "$store"
  cp "$bin/demo_client.exe" "$client_dir/tarnclient.exe"
  cp examples/termToInput.xml "$store/"
  rm -f "$client_dir/KvCmdLine.xml"
  export DEMO_CLIENT_RECORD_DIR='C:\session'

  echo "Running under Wine, in C:\\store with the sample termToInput.xml:"
  echo "  pos-video-launcher.exe ${arguments[*]}"
  local status=0
  (cd "$store" && wine "$bin/pos-video-launcher.exe" "${arguments[@]}") || status=$?
  wine "$bin/wait_for_processes.exe" 30 tarnclient.exe || true
  echo "The launcher ended with exit code $status."

  local box
  for box in "$WINE_SESSION_BOXES"/box-*.txt; do
    [ -e "$box" ] || continue
    echo "Message box \"POS Audit to Video Interface\", dismissed with OK:"
    sed 's/^/  /' "$box"
  done
  local records=("$WINE_SESSION_DIR"/client-*.txt)
  if [ -e "${records[0]}" ]; then
    echo "The client was started:"
    sed 's/^/  /' "${records[@]}"
    echo "--- C:\\Program Files\\Korvane\\Client\\KvCmdLine.xml (CR LF line ends) ---"
    tr -d '\r' <"$client_dir/KvCmdLine.xml"
  else
    echo "The client was not started."
  fi
}

if $native; then native_demo; else windows_demo; fi
