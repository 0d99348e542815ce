#!/usr/bin/env bash
# Builds the launcher and runs its main job on the bundled sample mapping: "-n 4" asks for
# terminal 4's camera around the current time. The client is a stand-in that prints what it was
# asked to start; the command document it would read is shown too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_dependencies.sh >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native --target pos-video-launcher >/dev/null

demo=$(mktemp -d)
trap 'rm -rf "$demo"' EXIT
client_folder="$demo/prefix/dosdevices/c:/Program Files/Korvane/Client"
mkdir -p "$client_folder" "$demo/bin" "$demo/store"
cp examples/termToInput.xml "$demo/store/"
cat > "$demo/bin/wine" <<'STANDIN'
#!/bin/sh
printf 'client started: wine'; printf ' %s' "$@"; printf '\n  in %s\n' "$(pwd)"
echo "--- KvCmdLine.xml as the client reads it ---"
cat KvCmdLine.xml
STANDIN
chmod +x "$demo/bin/wine"

cd "$demo/store"
PATH="$demo/bin:$PATH" WINEPREFIX="$demo/prefix" "$OLDPWD/build/native/bin/pos-video-launcher" "${@:--n 4}"
sleep 1  # The launcher does not wait for the client; give the stand-in time to print.
