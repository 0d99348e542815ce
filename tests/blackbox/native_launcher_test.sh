#!/usr/bin/env bash
# What only the native executable shows: how it starts the client through `wine`, and how it
# treats its own process (signals, standard streams). The launch's decisions are the unit tests'
# (tests/launch_sequence), the POSIX file calls' tests/system/text_files_test.cpp.
# Usage: native_launcher_test.sh LAUNCHER SAMPLE_MAPPING
set -uo pipefail
launcher=$(realpath "$1")
sample=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A 32-bit client on 64-bit Windows: only "Program Files (x86)" holds it, through Wine's drive.
client="$work/prefix/dosdevices/c:/Program Files (x86)/Korvane/Client"
windows_client='C:\Program Files (x86)\Korvane\Client'
mkdir -p "$client" "$work/store/tools" "$work/prefix/dosdevices/c:/Program Files/Korvane/Client"
touch "$client/tarnclient.exe"
# A stand-in for wine that records how it was started, and holds on to whatever output it was
# given, as a real client would.
cat >"$work/store/tools/wine" <<STANDIN
#!/bin/sh
{ pwd; printf "%s\\n" "\$@"; echo "\$WINEPREFIX"; sed -n 's/^SigIgn:\t*//p' /proc/\$\$/status; } \
  >"$work/started.tmp"
mv "$work/started.tmp" "$work/started"
echo "client output"; sleep 3
STANDIN
chmod +x "$work/store/tools/wine"

failures=0
expect_equal() { # what, expected, actual
  [ "$2" == "$3" ] || { echo "FAIL: $1"$'\n'"--- expected: $2"$'\n'"--- actual: $3" && failures=1; }
}
wait_for_start() {
  for _ in $(seq 50); do [ -f "$work/started" ] && return 0; sleep 0.1; done
  echo "FAIL: the client was not started ($1)" && failures=1 && return 1
}
# Runs the launcher in the store folder as the audit application does, wine found on a PATH
# relative to it, with a relative Wine prefix and the given arguments; stdout and stderr captured.
launch() {
  rm -f "$work/started"
  (cd "$work/store" && PATH="/nonexistent:tools:$PATH" WINEPREFIX=../prefix TZ=UTC \
    "$launcher" "$@" 2>&1)
}

# A caller that captures the launcher's output gets it back at once: the client's output goes to
# none of the launcher's streams, not even a writable standard input. The client starts through
# wine in its folder, with the prefix made absolute and the signals' usual handling.
cp "$sample" "$work/store/termToInput.xml"
started=$(date +%s%N)
status=0
output=$(launch -n 4 -t2007-06-06 14:50:25 <>"$work/input") || status=$?
elapsed=$((($(date +%s%N) - started) / 1000000))
[ "$elapsed" -lt 2000 ] || expect_equal "the caller's wait" "under 2000 ms" "$elapsed ms"
expect_equal "exit code and output of a successful launch" "0 " "$status $output"
if wait_for_start "a successful launch"; then
  # The launcher ignores SIGPIPE and SIGXFSZ (bits 13 and 25 of SigIgn); the client must not.
  ignored=$((16#$(sed -n 5p "$work/started")))
  expect_equal "how the client was started: folder, program, argument, prefix, signals" \
    "$client"$'\n'"$windows_client\\tarnclient.exe"$'\n'-FKvCmdLine.xml$'\n'"$work/store/../prefix 0" \
    "$(head -n 4 "$work/started") $((ignored & (1 << 12 | 1 << 24)))"
fi
grep -q '<Search Start="1181141420" End="1181141430">' "$client/KvCmdLine.xml" ||
  expect_equal "the document's Search" 'Start="1181141420"' "$(cat "$client/KvCmdLine.xml")"
sleep 0.2
expect_equal "the client's output on the launcher's standard input" "" "$(cat "$work/input")"

# A closed standard error does not end the launch at its first message.
sed -i 's#<Term Number="1">#<Term Number="9"><System Name="S"><Input /></System></Term>&#' \
  "$work/store/termToInput.xml"
(sleep 0.3 && launch -n 4) | true
wait_for_start "a launch whose standard error is closed"

# A file-size limit fails the write, not the launch: exit 0 and the message on standard error.
cp "$sample" "$work/store/termToInput.xml"
status=0
output=$(ulimit -f 0 && launch -n 1) || status=$?
expect_equal "exit code and message under a file-size limit" \
  "0 POS Audit to Video Interface: Error writing file $windows_client\\KvCmdLine.xml.  Error File too large" \
  "$status $output"

[ "$failures" -eq 0 ] || exit 1
echo "native launcher: all checks passed"
