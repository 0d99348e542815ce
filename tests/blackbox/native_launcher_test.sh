#!/usr/bin/env bash
# The native launcher as the audit application runs it: a real mapping file in the current
# folder, a Wine prefix of its own, and a stand-in for `wine` on PATH that records how it was
# started. Usage: native_launcher_test.sh LAUNCHER SAMPLE_MAPPING
set -euo pipefail
launcher=$1
sample=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
client="$work/prefix/dosdevices/c:/Program Files/Korvane/Client"
mkdir -p "$client" "$work/bin" "$work/store"
cp "$sample" "$work/store/termToInput.xml"
# The stand-in also holds on to whatever output it was given, as a real client would.
cat > "$work/bin/wine" <<STANDIN
#!/bin/sh
{ pwd; printf "%s\\n" "\$@"; } > "$work/started.tmp"
echo "\$WINEPREFIX" > "$work/prefix-seen"
sed -n 's/^SigIgn:\t*//p' /proc/\$\$/status > "$work/signals-ignored"
mv "$work/started.tmp" "$work/started"
echo "client output"; sleep 3
STANDIN
chmod +x "$work/bin/wine"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_equal() {  # what, expected, actual
  [ "$2" == "$3" ] || fail "$1"$'\n'"--- expected:"$'\n'"$2"$'\n'"--- actual:"$'\n'"$3"
}
run() {  # arguments...: runs the launcher in the store folder, stderr to $work/stderr
  rm -f "$work/started"
  (cd "$work/store" && PATH="$work/bin:$PATH" WINEPREFIX="$work/prefix" TZ=UTC \
    "$launcher" "$@" 2> "$work/stderr")
  status=$?
  expect_equal "exit code of $*" 0 "$status"
}
wait_for_start() {
  for _ in $(seq 50); do [ -f "$work/started" ] && return 0; sleep 0.1; done
  return 1
}

# A successful launch: the document, no message, and the client started through wine.
run -n 4 -t2007-06-06 14:50:25
wait_for_start || fail "the client was not started"
expect_equal "how the client was started" \
  "$client"$'\n''C:\Program Files\Korvane\Client\tarnclient.exe'$'\n''-FKvCmdLine.xml' \
  "$(cat "$work/started" 2>/dev/null)"
expect_equal "messages of a successful launch" "" "$(cat "$work/stderr")"
document=$(cat "$client/KvCmdLine.xml")
for part in '<?xml version="1.0" ?>' 'Top="0" Left="0" Width="392" Height="377"' \
    '<Input Number="7" Device="2" />' '<Search Start="1181141420" End="1181141430">'; do
  [[ "$document" == *"$part"* ]] || fail "document lacks $part"$'\n'"$document"
done
expect_equal "files in the client folder" "KvCmdLine.xml" "$(ls "$client")"
# The launcher's own signal handling (SIGPIPE and SIGXFSZ ignored) is not the client's.
ignored=$((16#$(cat "$work/signals-ignored")))
expect_equal "SIGPIPE and SIGXFSZ ignored by the client" 0 $((ignored & (1 << 12 | 1 << 24)))

# A caller that captures the launcher's output gets it back at once: the client's output goes
# elsewhere, to none of the launcher's streams, not even a writable standard input. wine is
# found on a PATH relative to where the launcher started, and a relative WINEPREFIX reaches the
# client made absolute.
rm -f "$work/started"
mv "$work/bin" "$work/store/tools"
started=$(date +%s%N)
output=$(cd "$work/store" && PATH="/nonexistent:tools:$PATH" WINEPREFIX=../prefix "$launcher" -n 4 \
  2>&1 <> "$work/input")
elapsed=$((($(date +%s%N) - started) / 1000000))
[ "$elapsed" -lt 2000 ] || fail "the caller waited ${elapsed} ms for the client's output"
expect_equal "output of a successful launch" "" "$output"
wait_for_start || fail "the client was not started through a relative PATH"
expect_equal "prefix the client gets" "$work/store/../prefix" "$(cat "$work/prefix-seen")"
sleep 0.2
expect_equal "the client's output on the launcher's standard input" "" "$(cat "$work/input")"
mv "$work/store/tools" "$work/bin"

# A closed standard error does not end the launch at its first message.
rm -f "$work/started"
cp "$work/store/termToInput.xml" "$work/sample.xml"
sed -i 's#<Term Number="1">#<Term Number="9"><System Name="S"><Input /></System></Term>&#' \
  "$work/store/termToInput.xml"
(cd "$work/store" && sleep 0.3 && PATH="$work/bin:$PATH" WINEPREFIX="$work/prefix" \
  exec "$launcher" -n 4) 2>&1 | true
wait_for_start || fail "the launch ended at a message it could not write"
cp "$work/sample.xml" "$work/store/termToInput.xml"

# An unmapped terminal: the message on standard error, the old document whole, no start.
cp "$client/KvCmdLine.xml" "$work/previous.xml"
run /N 77
sleep 0.3
[ ! -f "$work/started" ] || fail "the client was started for an unmapped terminal"
expect_equal "message for an unmapped terminal" \
  "POS Audit to Video Interface: Mapping of search terminal 77 to camera not found." \
  "$(cat "$work/stderr")"
cmp -s "$client/KvCmdLine.xml" "$work/previous.xml" || fail "the old document changed"

# A file-size limit fails the write, not the launch: the reason, exit 0, the old document whole
# and no temporary file left; in place below too. Messages go to a pipe, which has no size limit.
size_limited() {  # arguments...: the launcher's command line, run as the given user
  local status=0
  limited=$(cd "$work/store" && ulimit -f 0 && PATH="$work/bin:$PATH" WINEPREFIX="$work/prefix" \
    "$@" 2>&1) || status=$?
  expect_equal "exit code under a file-size limit" 0 "$status"
  expect_equal "message under a file-size limit" \
    'POS Audit to Video Interface: Error writing file C:\Program Files\Korvane\Client\KvCmdLine.xml.  Error File too large' \
    "$limited"
  cmp -s "$client/KvCmdLine.xml" "$work/previous.xml" || fail "the document changed under a size limit"
  expect_equal "files in the client folder after a size limit" "KvCmdLine.xml" "$(ls "$client")"
}
size_limited "$launcher" -n 1

# As a user without the right to create files in the client's folder, the document is written in
# place; where it may not be written either, the message gives the system's reason. Root ignores
# rights, so as root these run as nobody.
as_user() {
  if [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid=65534 --regid=65534 --clear-groups "$@"
  else
    "$@"
  fi
}
chmod 755 "$work"
chmod 666 "$client/KvCmdLine.xml"
chmod 555 "$client"
rm -f "$work/started"
(cd "$work/store" && PATH="$work/bin:$PATH" WINEPREFIX="$work/prefix" TZ=UTC \
  as_user "$launcher" -n 1 2> "$work/stderr")
expect_equal "messages when writing in place" "" "$(cat "$work/stderr")"
grep -q 'Name="Lane 1 Overhead"' "$client/KvCmdLine.xml" || fail "the document was not written in place"
expect_equal "files in a folder that refuses new ones" "KvCmdLine.xml" "$(ls "$client")"
cp "$client/KvCmdLine.xml" "$work/previous.xml"
size_limited as_user "$launcher" -n 4
chmod 444 "$client/KvCmdLine.xml"
(cd "$work/store" && PATH="$work/bin:$PATH" WINEPREFIX="$work/prefix" \
  as_user "$launcher" -n 4 2> "$work/stderr")
expect_equal "message when the document may not be written" \
  'POS Audit to Video Interface: Error writing file C:\Program Files\Korvane\Client\KvCmdLine.xml.  Error Permission denied' \
  "$(cat "$work/stderr")"
chmod 755 "$client"

# A 32-bit client on 64-bit Windows: only "Program Files (x86)" holds it, so the document goes
# there and the client starts there.
x86="$work/prefix/dosdevices/c:/Program Files (x86)/Korvane/Client"
mkdir -p "$x86" && touch "$x86/tarnclient.exe"
rm -f "$work/started"
run -n 4
wait_for_start || fail "the client in the (x86) folder was not started"
expect_equal "the (x86) client's folder and program" \
  "$x86"$'\n''C:\Program Files (x86)\Korvane\Client\tarnclient.exe' \
  "$(head -n 2 "$work/started" 2>/dev/null)"
[ -f "$x86/KvCmdLine.xml" ] || fail "the document was not written to the (x86) folder"

# A missing client folder: the document cannot be written.
rm -rf "$work/prefix"
run -n 4
expect_equal "message when the document cannot be written" \
  'POS Audit to Video Interface: Error writing file C:\Program Files\Korvane\Client\KvCmdLine.xml.  Error No such file or directory' \
  "$(cat "$work/stderr")"

# Windows records a launch that loads nothing as a warning in its event log; this build has no
# such log, and the launch still prints nothing.
printf '<Settings Width="392" />\n' >"$work/store/termToInput.xml"
run -n 4
expect_equal "output when the first element is not TermToInput" "" "$(cat "$work/stderr")"

# No mapping file in the current folder.
rm "$work/store/termToInput.xml"
run -n 4
expect_equal "message without a mapping file" \
  "POS Audit to Video Interface: Could not open file termToInput.xml" "$(cat "$work/stderr")"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "native launcher: all checks passed"
