#!/usr/bin/env bash
# The Windows launcher end to end under Wine, for what only the Windows program can show: its
# message boxes and event log, the pointer's monitor, the raw command line Windows hands it, the C
# runtime's local time, Windows' file sharing and locks, the client's start and "Program Files
# (x86)", the installer and the registry. What a launch decides from its inputs (times, mapping
# files, message texts) the native unit tests show.
#
#   wine_suite.sh LAUNCHER_EXE HELPERS_DIR SAMPLE_MAPPING MSI
#
# One fresh Wine prefix (64-bit, so the 32-bit launcher runs as on 64-bit Windows) and one display
# for the whole suite (see demo/wine_session.sh). The client is the demo's, which records how it
# was started and the document it found; message boxes are read and dismissed by the session's
# reader. MSI is the launcher's installer. Prints each case's outcome; exits non-zero when any
# failed. Leaves no process and no file behind. WINE_SUITE_CASES="a b" runs only those cases.
#
# Each case is a row of the table at the end, run by run_row:
#
#   row NAME MAPPING ARGUMENTS [KEY=VALUE...]
#
# MAPPING is the store's termToInput.xml: "sample" (SAMPLE_MAPPING), "none", "folder" (a folder in
# its place), or the file's text, written with CR LF line ends. ARGUMENTS are the launcher's, as
# shell words (quotes group, $variables expand). The row runs the launcher once in the store
# folder, the audit application's, with an earlier command document in the client's folder and
# the pointer at 0, 1023 (so the window's top is 647 on the 1280 × 1024 screen); it checks the
# exit code, the boxes, the events, the document, the client's start and the client's folder.
# Each key may be left out:
#   TZ=ZONE           the launcher's TZ
#   locale=NAME       the launcher's LC_ALL: Wine makes the Unicode command line from it
#   pointer=X,Y       where the pointer is
#   encoding=NAME     the mapping file converted from UTF-8 into NAME (iconv)
#   program=PROGRAM   runs PROGRAM (cmd, or a .exe) with ARGUMENTS instead of the launcher
#   status=N          the program's exit code (0)
#   output=TEXT       the program's standard output, less its CRs and final line feeds
#   setup=FUNCTION    runs after the files are in place, before the pointer is placed
#   hold=SHARING      the document is held open by hold_open.exe (read, read-write or lock)
#   waits=MS          the launch took at least MS milliseconds
#   box='ID TEXT'     a message box shows TEXT (its line feed added) and reports it as the error
#                     event ID; repeated, in order. Without: no box
#   event='TYPE ID TEXT'  the events reported, repeated, in order. Without: those of the boxes
#   document='TOP LEFT START INPUT'  the document the client's folder holds, its Search from
#                     START ("now": the launch time less 5 s) to 10 s later, INPUT the Input
#                     element's attributes. Without: the earlier document, whole
#   client=usual|x86  the client was started once, from "Program Files" or "Program Files (x86)",
#                     and found that document. Without: no client started
#   files='NAMES'     the client's folder holds exactly these (default: the document and client)
# Another program's row (a checker run, say) passes the defaults while it leaves the document and
# the client alone. Cases a row cannot say are functions of their own, named in the table by
# `special`; like the rows, each starts from a fresh store and client folder (reset_case) and uses
# run_launcher, expect_shown and the other expect_ helpers below.
set -uo pipefail
shopt -s nullglob

launcher=$(realpath "${1:?usage: wine_suite.sh LAUNCHER_EXE HELPERS_DIR SAMPLE_MAPPING MSI}")
helpers=$(realpath "${2:?}")
sample_mapping=$(realpath "${3:?}")
msi=$(realpath -m "${4:?}")
# shellcheck source=demo/wine_session.sh
source "$(dirname "$0")/../../demo/wine_session.sh"

# The machine a program of PE file $1 is for, as four hex digits: 014c for 32-bit x86.
pe_machine() {
  local header
  header=$(od -A n -t u4 -j 60 -N 4 "$1") || return 1
  od -A n -t x2 -j $((header + 4)) -N 2 "$1" | tr -d ' '
}
if [ "$(pe_machine "$launcher")" = 014c ] && ! wine_session_runs_32_bit; then
  echo "Skipped: this machine cannot run 32-bit Wine; the windows-x64 build runs this suite."
  exit 77
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/wine-suite.XXXXXX")
cleanup() {
  wine_session_stop
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

suite_started=$(date +%s)
# Should this script be killed, the session's Wine processes end by themselves about when CTest
# would have given up on the suite.
export WINE_SESSION_SECONDS=280
if ! wine_session_start "$helpers" "$scratch"; then
  for log in "$scratch"/*.log; do echo "--- $log" && cat "$log"; done
  exit 1
fi
echo "Wine session ready in $(($(date +%s) - suite_started)) s (display $DISPLAY)"

drive_c=$WINEPREFIX/drive_c
client_dir="$drive_c/Program Files/Korvane/Client"
# Where 64-bit Windows puts the client's 32-bit installation.
x86_client_dir="$drive_c/Program Files (x86)/Korvane/Client"
store=$drive_c/store          # the audit application's folder, with the mapping file
records=$drive_c/records      # where the client records its starts
export DEMO_CLIENT_RECORD_DIR='C:\records'

# A command document from an earlier run, which failed runs must leave whole.
old_document=$'<?xml version="1.0" ?>\r\n<KorvaneInit Top="1" Left="2" Width="3" Height="4" />\r\n'

# A launcher still running after this waits for a click nobody gives: its box was not found.
launch_timeout=15
case_failed=0
fail() {
  echo "    FAILED: $*"
  case_failed=1
}

# Stores in the variable $1 what the command that follows prints, trailing line ends included.
capture() {
  local output
  output=$("${@:2}" && printf x)
  printf -v "$1" '%s' "${output%x}"
}

expect_equal() {
  [ "$2" == "$3" ] || fail "$1: expected $(printf %q "$2"), got $(printf %q "$3")"
}

# WHAT EXPECTED FILE: the file holds exactly EXPECTED.
expect_file() {
  local actual
  capture actual cat "$3"
  expect_equal "$1" "$2" "$actual"
}

# The command document the launcher writes for the sample mapping, CR LF line ends included:
# TOP LEFT START END and the Input element's attributes.
command_document() {
  printf '%s\r\n' '<?xml version="1.0" ?>' \
    "<KorvaneInit Top=\"$1\" Left=\"$2\" Width=\"392\" Height=\"377\" Maximize=\"0\" ShowNavPanel=\"0\" ShowToolbars=\"0\" FullScreen=\"0\" AllowAccelerators=\"0\">" \
    "    <Search Start=\"$3\" End=\"$4\">" \
    '        <System Name="Store 12 Recorder">' \
    '            <Video>' \
    "                <Input $5 />" \
    '            </Video>' \
    '        </System>' \
    '    </Search>' \
    '</KorvaneInit>'
}

# Wine's event log is a stub that writes each event to its debug output: the ReportEventA call
# with its type and event ID on the advapi channel, then the text on the eventlog channel, as an
# error or a warning. The launches write it to $events_log.
event_channels=-all,err+eventlog,warn+eventlog,fixme+advapi
events_log=$scratch/events.log

# Runs $launch_program (the launcher built by default) in the store folder with the given command
# line and TZ=$launch_tz, its standard output to $scratch/output, checks its exit code against
# $launch_status, and waits until every client it started has ended (and so has written its record).
run_launcher() {
  local status=0
  (cd "$store" && env ${launch_tz:+TZ="$launch_tz"} ${launch_locale:+LC_ALL="$launch_locale"} \
    WINEDEBUG=$event_channels timeout "$launch_timeout" wine "$launch_program" "$@" >"$scratch/output" 2>>"$events_log") ||
    status=$?
  [ $status -ne 124 ] || fail "the launcher did not end within $launch_timeout s (a box nobody found?)"
  expect_equal "launcher exit code" "$launch_status" "$status"
  wine "$helpers/wait_for_processes.exe" 30 tarnclient.exe program.exe ||
    fail "a started client did not end"
}

# The events reported since the case began, one a line: "error ID TEXT" or "warning ID TEXT".
# An event with a category, a user, raw data or other than one string, and an event source left
# open, show as lines of their own.
logged_events() {
  local line type id text open=0 handed_on=0
  local hex='[0-9A-Fa-f]+' call
  # 0120:fixme:advapi:ReportEventA (CAFE4242,0x0001,0x0000,0x00000007,00000000,0x0001,0x00000000,0021F688,00000000): stub
  # (ReportEventW for text in UTF-8). Wine's ReportEventA hands the call on to its ReportEventW,
  # whose line follows and is not counted again.
  call=":fixme:advapi:ReportEvent[AW] \\(($hex),0x($hex),0x($hex),0x($hex),($hex),0x($hex),0x($hex),$hex,($hex)\\)"
  while IFS= read -r line; do
    if [ $handed_on -eq 1 ] && [[ $line == *:fixme:advapi:ReportEventW\ \(* ]]; then
      handed_on=0
    elif [[ $line =~ $call ]]; then
      [[ $line != *:fixme:advapi:ReportEventA* ]] || handed_on=1
      case ${BASH_REMATCH[2]} in 0001) type=error ;; 0002) type=warning ;; *) type=type-${BASH_REMATCH[2]} ;; esac
      id=$((16#${BASH_REMATCH[4]}))
      [[ ${BASH_REMATCH[3]}/${BASH_REMATCH[5]}/${BASH_REMATCH[6]}/${BASH_REMATCH[7]}/${BASH_REMATCH[8]} =~ ^0000/0+/0001/00000000/0+$ ]] ||
        echo "unexpected ReportEventA arguments: $line"
    elif [[ $line =~ :fixme:advapi:RegisterEventSourceA ]]; then
      open=$((open + 1))
    elif [[ $line =~ :fixme:advapi:DeregisterEventSource ]]; then
      open=$((open - 1))
    # 0120:err:eventlog:ReportEventW L"Mapping of search terminal 3 to camera not found."
    elif [[ $line =~ :(err|warn):eventlog:ReportEventW\ L\"(.*)\"$ ]]; then
      text=${BASH_REMATCH[2]//\\\"/\"}
      printf '%s %s %s\n' "$type" "$id" "${text//\\\\/\\}"
    fi
  done <"$events_log"
  [ $open -eq 0 ] || echo "event sources left open: $open"
}

# The events reported since the case began, or since the last check, are exactly the arguments,
# in order ("error ID TEXT" or "warning ID TEXT").
expect_events() {
  local expected
  expected=$(printf '%s\n' "$@")
  expect_equal "events" "${expected%$'\n'}" "$(logged_events)"
  : >"$events_log"
}

# The message boxes shown since the case began are exactly the arguments ("ID TEXT"), in order:
# each shows TEXT and a line feed, in a Static control, with the single OK button of MB_OK.
expect_boxes() {
  local boxes=("$WINE_SESSION_BOXES"/box-*.txt)
  if [ ${#boxes[@]} -ne $# ]; then
    fail "expected $# message box(es), saw ${#boxes[@]}: $(cat "${boxes[@]}" /dev/null)"
    return
  fi
  local i=0 expected
  for expected in "$@"; do
    expect_file "message box $((i + 1)) text" "${expected#* }"$'\n' "${boxes[$i]}"
    expect_file "message box $((i + 1)) controls" $'class=Static\nbuttons=1:OK\n' \
      "${boxes[$i]%.txt}.info"
    i=$((i + 1))
  done
  rm -f "$WINE_SESSION_BOXES"/box-*
}

# The boxes, each also reported as its error event, and no other event.
expect_shown() {
  expect_boxes "$@"
  expect_events "${@/#/error }"
}

# The client was started once from the Windows folder $1 (the folder $2 here), with the right
# command line, in that folder, and found the document there.
expect_client_started() {
  local started=("$records"/client-*.txt)
  [ ${#started[@]} -eq 1 ] || { fail "expected one client start, saw ${#started[@]}"; return; }
  local record=${started[0]} field expected
  for field in "module $1\\tarnclient.exe" "command_line $1\\tarnclient.exe -FKvCmdLine.xml" \
    "current_directory $1"; do
    expect_equal "client's ${field%% *}" "${field#* }" "$(sed -n "s/^${field%% *}=//p" "$record")"
  done
  cmp -s "$2/KvCmdLine.xml" "${record%.txt}.xml" || fail "the client found another document"
}

# The files in the folder $1, on one line.
folder_listing() {
  (cd "$1" 2>/dev/null && printf '%s ' * | sed 's/ $//')
}

# The client installed in "C:\Program Files" only; nothing left of an earlier case.
reset_case() {
  rm -rf "$store" "$records" "$WINE_SESSION_BOXES"/box-* "$drive_c/Program.exe" \
    "$drive_c/Program Files/Korvane" "$drive_c/Program Files (x86)/Korvane"
  mkdir -p "$store" "$records" "$client_dir"
  : >"$events_log"
  cp "$helpers/demo_client.exe" "$client_dir/tarnclient.exe"
  launch_program=$launcher launch_tz='' launch_locale='' launch_status=0
  case_failed=0
}

# --- The row driver ------------------------------------------------------------------------------

# A launch with the mapping $1, the launcher's arguments $2 as shell words, and the keys that
# follow, as the table's heading describes them.
run_row() {
  local mapping=$1 words setting pointer=0,1023 encoding=UTF-8 setup='' hold='' waits=0 \
    document='' client='' files='KvCmdLine.xml tarnclient.exe' boxes=() events=() output=-
  eval "words=($2)"
  for setting in "${@:3}"; do
    case ${setting%%=*} in
      TZ) launch_tz=${setting#*=} ;;
      locale) launch_locale=${setting#*=} ;;
      program) launch_program=${setting#*=} ;;
      status) launch_status=${setting#*=} ;;
      box) boxes+=("${setting#*=}") ;;
      event) events+=("${setting#*=}") ;;
      pointer | encoding | output | setup | hold | waits | document | client | files)
        printf -v "${setting%%=*}" '%s' "${setting#*=}" ;;
      *) fail "the row's key $setting is unknown" && return ;;
    esac
  done
  case $mapping in
    sample) cp "$sample_mapping" "$store/termToInput.xml" ;;
    none) ;;
    folder) mkdir "$store/termToInput.xml" ;;
    *) printf '%s\n' "$mapping" | sed 's/$/\r/' | iconv -f UTF-8 -t "$encoding" >"$store/termToInput.xml" ;;
  esac
  printf '%s' "$old_document" >"$client_dir/KvCmdLine.xml"
  [ -z "$setup" ] || "$setup"
  wine "$helpers/set_cursor.exe" "${pointer%,*}" "${pointer#*,}" ||
    fail "the pointer could not be placed at $pointer"

  # A reader that holds the document open, shared as hold_open.exe's SHARING says but never for
  # deletion, so that it cannot be replaced.
  local holder=
  if [ -n "$hold" ]; then
    wine "$helpers/hold_open.exe" 'C:\Program Files\Korvane\Client\KvCmdLine.xml' "$hold" \
      'C:\session\held' 'C:\session\release' &
    holder=$!
    wine_session_wait_for_file "$WINE_SESSION_DIR/held" 300 any || fail "the document was not held"
  fi
  local before after
  before=$(date +%s%3N)
  run_launcher "${words[@]}"
  after=$(date +%s%3N)
  if [ -n "$holder" ]; then
    touch "$WINE_SESSION_DIR/release"
    wait "$holder" || fail "hold_open.exe failed"
    rm -f "$WINE_SESSION_DIR/held" "$WINE_SESSION_DIR/release"
  fi
  [ $((after - before)) -ge "$waits" ] || fail "the launch gave up after $((after - before)) ms"

  [ "$output" = - ] || expect_equal "standard output" "$output" "$(tr -d '\r' <"$scratch/output")"
  expect_boxes "${boxes[@]}"
  [ ${#events[@]} -gt 0 ] || events=("${boxes[@]/#/error }")
  expect_events "${events[@]}"
  local folder=$client_dir
  case $client in
    usual) expect_client_started 'C:\Program Files\Korvane\Client' "$folder" ;;
    x86)
      folder=$x86_client_dir
      expect_client_started 'C:\Program Files (x86)\Korvane\Client' "$folder"
      [ ! -e "$client_dir" ] || fail "something was written to the usual client folder"
      ;;
    *)
      local started=("$records"/client-*.txt)
      [ ${#started[@]} -eq 0 ] || fail "a client was started: $(cat "${started[@]}")"
      ;;
  esac
  if [ -n "$document" ]; then
    local top left start input expected
    read -r top left start input <<<"$document"
    if [ "$start" = now ]; then
      start=$(sed -n 's/.*<Search Start="\([-0-9]*\)".*/\1/p' "$folder/KvCmdLine.xml")
      if [ -z "$start" ] || [ "$start" -lt $((before / 1000 - 5)) ] ||
        [ "$start" -gt $((after / 1000 - 5)) ]; then
        fail "Start $start is not the launch time less 5 s"
      fi
    fi
    capture expected command_document "$top" "$left" "$start" $((start + 10)) "$input"
    expect_file "the command document" "$expected" "$folder/KvCmdLine.xml"
  else
    expect_file "the earlier command document" "$old_document" "$folder/KvCmdLine.xml"
  fi
  expect_equal "files in the client's folder" "$files" "$(folder_listing "$folder")"
}

# --- Setups for rows -----------------------------------------------------------------------------

# The caller's own quoting reaches the program raw: a batch file's line is passed as written.
write_batch_file() {
  cp "$launcher" "$store/launcher.exe"
  printf '@C:\\store\\launcher.exe -n "4" -t "2007-06-06 2:50:25" PM\r\n' >"$store/launch.bat"
}

# As a 32-bit client's installer puts it on 64-bit Windows.
move_client_to_x86() {
  mkdir -p "$(dirname "$x86_client_dir")"
  mv "$client_dir" "$x86_client_dir"
}

remove_client() {
  rm "$client_dir/tarnclient.exe"
}

# "C:\Program.exe" is what Windows runs first for the unquoted client path when no application
# name is given. The control shows that Wine does that here; the launcher must not.
plant_program_exe() {
  cp "$helpers/demo_client.exe" "$drive_c/Program.exe"
  wine "$helpers/start_without_application_name.exe" || fail "the control start failed"
  grep -qx 'module=C:\\Program.exe' "$records"/client-*.txt /dev/null ||
    fail "control: the planted program did not run for a start without application name"
  rm -f "$records"/*
}

# A killed launch's temporary file is removed by the next save once it is old; a recent one may
# belong to a launch still running and stays.
leave_temporary_files() {
  : >"$client_dir/KvCmdLine.xml.tmp-4242-0"
  touch -d '-10 minutes' "$client_dir/KvCmdLine.xml.tmp-4242-0"
  : >"$client_dir/KvCmdLine.xml.tmp-4243-0"
}

# --- Cases a row cannot say ----------------------------------------------------------------------

# Two launches at once write through temporary files of their own; each client finds a whole
# document.
two_launches_at_once() {
  cp "$sample_mapping" "$store/termToInput.xml"
  local first second status
  (cd "$store" && timeout "$launch_timeout" wine "$launcher" -n 1) & first=$!
  (cd "$store" && timeout "$launch_timeout" wine "$launcher" -n 2) & second=$!
  wait $first; status=$?
  expect_equal "first launcher exit code" 0 $status
  wait $second; status=$?
  expect_equal "second launcher exit code" 0 $status
  wine "$helpers/wait_for_processes.exe" 30 tarnclient.exe || fail "a started client did not end"

  local started=("$records"/client-*.txt) record found first_document second_document
  expect_equal "client starts" 2 ${#started[@]}
  capture first_document command_document N N N N 'Name="Lane 1 Overhead"'
  capture second_document command_document N N N N 'Name="Lane 2 Overhead"'
  for record in "${started[@]}"; do
    capture found sed -E 's/(Top|Left|Start|End)="[-0-9]*"/\1="N"/g' "${record%.txt}.xml"
    [ "$found" == "$first_document" ] || [ "$found" == "$second_document" ] ||
      fail "a client found a broken document: $(printf %q "$found")"
  done
  expect_shown
  expect_equal "files in the client's folder" "KvCmdLine.xml tarnclient.exe" \
    "$(folder_listing "$client_dir")"
}

# The launcher's event source as the registry holds it: "NAME TYPE DATA" a line.
event_source_values() {
  wine reg query 'HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\POS Video Launcher' \
    2>/dev/null | tr -d '\r' | sed -n 's/^ \+\([A-Za-z]\+\) \+\(REG_[A-Z_]\+\) \+/\1 \2 /p'
}

# The versions of the launcher that Windows lists as installed, one a line. Each registry view is
# read once, by name (/reg:32, /reg:64), so the answer does not depend on which reg.exe Wine starts:
# where 32-bit Wine runs, `wine reg` may be the 32-bit one, for which Wow6432Node is its own view
# again, and a query of both the plain key and Wow6432Node lists a 32-bit package twice. An entry
# seen in both views is counted once, by its key: the product code.
installed_versions() {
  local view
  for view in 32 64; do
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s "/reg:$view" \
      2>/dev/null
  done |
    tr -d '\r' |
    awk -v RS= '/DisplayName +REG_SZ +POS audit to video launcher(\n|$)/ &&
                match($0, /DisplayVersion +REG_SZ +[^\n]*/) {
                  version = substr($0, RSTART, RLENGTH)
                  product = $0; sub(/\n.*/, "", product); sub(/.*\\/, "", product)
                  if (!seen[product]++) print version
                }' |
    sed 's/.*REG_SZ *//'
}

# msiexec with the arguments, silently, as an administrator's deployment runs it; it must succeed.
msiexec_succeeds() {
  local status=0
  wine msiexec "$@" /qn || status=$?
  expect_equal "exit code of msiexec $*" 0 $status
}

# The installer as an administrator's deployment runs it: silently, per machine. The launcher it
# installs runs from there and is registered as its event source; a later version, signed,
# replaces it, but not the other way round, and its signed launcher runs and reports as well;
# uninstalling leaves nothing of it.
installed_from_the_msi() {
  [ -f "$msi" ] || { fail "no installer at $msi (wixl, msitools and zip missing?)"; return; }
  local later=$scratch/later key=$scratch/key
  bash "$(dirname "$0")/make_signing_certificate.sh" "$key" || fail "no certificate could be made"
  POS_VIDEO_SIGN_PKCS12=$key/signer.p12 POS_VIDEO_SIGN_PASSWORD_FILE=$key/password \
    bash "$(dirname "$0")/../../packaging/build_packages.sh" 99.0.0 "$launcher" \
    "$helpers/pos-video-check.exe" "$later" >/dev/null || fail "no later version could be built"
  cp "$msi" "$WINE_SESSION_DIR/launcher.msi"
  cp "$later/pos-video-launcher-99.0.0.msi" "$WINE_SESSION_DIR/later.msi"
  # The package is for x86 from either build (the 64-bit fallback's included), so in the 64-bit
  # prefix it installs into "Program Files (x86)", with its entry in the registry's 32-bit view.
  local installed="$drive_c/Program Files (x86)/POS Video Launcher"
  msiexec_succeeds /i 'C:\session\launcher.msi'
  expect_equal "installed files" \
    "README.txt examples/termToInput.xml pos-video-check.exe pos-video-check.json pos-video-launcher.exe" \
    "$(cd "$installed" 2>/dev/null && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ' | sed 's/ $//')"
  cmp -s "$launcher" "$installed/pos-video-launcher.exe" || fail "the installed launcher is not the one built"
  local event_source
  event_source=$(printf '%s\n' \
    'EventMessageFile REG_EXPAND_SZ C:\Program Files (x86)\POS Video Launcher\pos-video-launcher.exe' \
    'TypesSupported REG_DWORD 0x3')
  expect_equal "the event source" "$event_source" "$(event_source_values)"

  cp "$installed/examples/termToInput.xml" "$store/"
  launch_program='C:\Program Files (x86)\POS Video Launcher\pos-video-launcher.exe'
  run_launcher -n 2
  expect_shown
  expect_client_started 'C:\Program Files\Korvane\Client' "$client_dir"
  grep -q '<Input Name="Lane 2 Overhead" />' "$client_dir/KvCmdLine.xml" || fail "terminal 2's document was not written"

  # The same version rebuilt, its checker another program to tell its files by, replaces it.
  local version=${msi##*-}
  version=${version%.msi}
  bash "$(dirname "$0")/../../packaging/build_packages.sh" "$version" "$launcher" \
    "$helpers/set_cursor.exe" "$scratch/same" >/dev/null || fail "no same version could be built"
  cp "$scratch/same/pos-video-launcher-$version.msi" "$WINE_SESSION_DIR/same.msi"
  msiexec_succeeds /i 'C:\session\same.msi'
  expect_equal "installed versions after the same one rebuilt" "$version" "$(installed_versions)"
  cmp -s "$helpers/set_cursor.exe" "$installed/pos-video-check.exe" || fail "the rebuilt files are not in place"

  msiexec_succeeds /i 'C:\session\later.msi'
  expect_equal "installed versions after the later one" 99.0.0 "$(installed_versions)"
  grep -q 'launcher 99.0.0' "$installed/README.txt" || fail "the later version's files are not there"
  expect_equal "the event source after the later version" "$event_source" "$(event_source_values)"
  osslsigncode verify -CAfile "$key/ca.pem" -in "$installed/pos-video-launcher.exe" >/dev/null ||
    fail "the later version's launcher is not signed"
  run_launcher -n 3
  expect_shown '7 Mapping of search terminal 3 to camera not found.'
  wine msiexec /i 'C:\session\launcher.msi' /qn && fail "the earlier version replaced the later one"
  expect_equal "installed versions after trying the earlier one" 99.0.0 "$(installed_versions)"

  msiexec_succeeds /x 'C:\session\later.msi'
  [ ! -e "$installed" ] || fail "left after uninstalling: $(find "$installed" | tr '\n' ' ')"
  expect_equal "installed versions after uninstalling" "" "$(installed_versions)"
  expect_equal "the event source after uninstalling" "" "$(event_source_values)"
  rm -f "$WINE_SESSION_DIR/launcher.msi" "$WINE_SESSION_DIR/later.msi" "$WINE_SESSION_DIR/same.msi"
}

# The checker as a Windows pipeline runs it: it expands wildcards itself, searches folders, reads
# a name beyond ASCII from the Unicode command line, opens it and prints it in UTF-8, and an error
# fails the run; /? is its help.
checker_wildcards_and_folders() {
  local finding=':1:14: warning: Width "1px" has text after its digits: the launcher reads 1'
  mkdir -p "$store/stores/017" "$store/stores/031" "$store/stores/Zürich"
  printf '<TermToInput Width="1px"><Term Number="1"><System Name="S"><Input Name="C"/></System></Term></TermToInput>\r\n' |
    tee "$store/stores/031/termToInput.xml" >"$store/stores/Zürich/TERMTOINPUT.XML"
  local out status=0
  out=$(cd "$store" && LC_ALL=C.UTF-8 wine "$helpers/pos-video-check.exe" --brief \
    'stores\*\termToInput.xml' 'stores\0*' 'x\*.xml' 'stores\Zürich') || status=$?
  expect_equal "checker exit status" 2 $status
  expect_equal "checker output" "stores\\031\\termToInput.xml$finding
stores\\Zürich\\termToInput.xml$finding
stores\\017: error: no termToInput.xml in this folder
stores\\031\\termToInput.xml$finding
x\\*.xml: error: cannot read the file: no file or folder matches this pattern
stores\\Zürich\\TERMTOINPUT.XML$finding
6 files checked: 2 errors, 4 warnings" "$(tr -d '\r' <<<"$out")"
  out=$(wine "$helpers/pos-video-check.exe" '/?')
  [[ $out == "Usage: pos-video-check "* ]] || fail "/? printed: $out"
}

# The checker names this PC's zone by the key name Windows gives it.
checker_names_this_pcs_zone() {
  printf '%s\r\n' "$tokyo" >"$store/termToInput.xml"
  local preview
  preview=$(cd "$store" && wine "$helpers/pos-video-check.exe" termToInput.xml -n 4 2>/dev/null)
  [[ $preview == *"this PC's local time, "[A-Z]*")"* ]] || fail "the checker names no zone: $preview"
}

# --- The table -----------------------------------------------------------------------------------

declare -A row_of
cases=()
row() {
  row_of[$1]=$(printf '%q ' "${@:2}")
  cases+=("$1")
}
special() { cases+=("$@"); }

camera='Number="7" Device="2"'  # The sample's camera for terminal 4.
lane2='Name="Lane 2 Overhead"'  # and for terminal 2.
# The store's zone kept daylight time in 2007 but no longer does: only the whole history compiled
# into the program gives 2:50:25 PM CDT, 19:50:25 UTC.
mexico_city='<TermToInput TimeZone="America/Mexico_City">
  <Term Number="4"><System Name="Store 12 Recorder"><Input Number="7" Device="2" /></System></Term>
</TermToInput>'
zurich='<TermToInput TimeZone="Europe/Zürich"><Term Number="4"><System Name="S"><Input Name="Door" /></System></Term></TermToInput>'
# The box reader reads the box back in the code page, where "ü" is the byte FC; Wine's debug
# output writes the event's U+00FC as \00fc. Both alike from a file in UTF-8 or in the code page.
zurich_box=$'5 TimeZone "Europe/Z\xFCrich" in file termToInput.xml is not a time zone.'
zurich_event='error 5 TimeZone "Europe/Z\00fcrich" in file termToInput.xml is not a time zone.'
writing_failed='8 Error writing file C:\Program Files\Korvane\Client\KvCmdLine.xml.  Error'
tokyo='<TermToInput TimeZone="Tokyo Standard Time"><Term Number="4"><System Name="Store 12 Recorder"><Input Number="7" Device="2" /></System></Term></TermToInput>'
# shellcheck disable=SC2034 # The rows' arguments use it.
narrow_space=$'\xe2\x80\xaf'
# shellcheck disable=SC2034 # The rows' arguments use it.
padding=$(head -c 32000 /dev/zero | tr '\0' x)  # Near the longest command line, 32767 characters.

# The launch as the audit application makes it: the window at the pointer, the client started.
row successful_launch sample '-n 4' pointer=311,207 document="207 311 now $camera" client=usual
# On the 1280 × 1024 screen, a window of 392 × 377 at the pointer in the corner moves inside it.
row window_kept_on_the_screen sample '-n 4' pointer=1279,1023 document="647 888 now $camera" \
  client=usual
# The C runtime's local time, in 64 bits, summer time included, at the first and last days
# accepted, as the native build reads them.
row first_day sample '-n 2 -t "1970-01-02"' TZ=EST5EDT document="647 0 104395 $lane2" client=usual
row last_day sample '-n 2 -t "3000-12-30 23:59:59"' TZ=EST5EDT \
  document="647 0 32535147594 $lane2" client=usual
# A batch file's line as written: the terminal's number in quotes, PM outside the quoted time.
row quoted_words_from_a_batch_file "$mexico_city" "/c 'C:\store\launch.bat'" program=cmd \
  setup=write_batch_file TZ=JST-9 document="647 0 1181159420 $camera" client=usual
# A date library's narrow no-break space (U+202F) before PM, which no code page holds, reaches the
# program through the Unicode command line Wine makes from UTF-8 arguments: 14:50:25, not 02:50:25.
row narrow_space_before_pm sample '-n 2 "-t2007-06-06 2:50:25${narrow_space}PM"' TZ=EST5EDT \
  locale=C.UTF-8 document="647 0 1181155820 $lane2" client=usual
# The terminal option still counts, and nothing overflows.
row long_command_line sample '-n 2 "$padding"' document="647 0 now $lane2" client=usual
row mapping_file_is_a_folder folder '-n 4' box='1 Could not open file termToInput.xml'
row zone_name_in_utf8 "$zurich" '-n 4' box="$zurich_box" event="$zurich_event"
row zone_name_in_the_code_page "$zurich" '-n 4' encoding=LATIN1 box="$zurich_box" \
  event="$zurich_event"
row client_only_in_x86_program_files sample '-n 4' setup=move_client_to_x86 \
  document="647 0 now $camera" client=x86
row planted_program_exe sample '-n 4' setup=plant_program_exe document="647 0 now $camera" \
  client=usual
row abandoned_temporary_file sample '-n 4' setup=leave_temporary_files \
  document="647 0 now $camera" client=usual \
  files='KvCmdLine.xml KvCmdLine.xml.tmp-4243-0 tarnclient.exe'
# A reader that shares the document for reading only: it can be neither replaced nor written.
row document_cannot_be_written sample '-n 4' hold=read box="$writing_failed Sharing violation."
# Shared for writing as well, as the client may hold the last one: written in place.
row document_held_open_by_a_reader sample '-n 4' hold=read-write document="647 0 now $camera" \
  client=usual
# Locked, as another launch writing it in place holds it, longer than the launcher waits (2 s).
row document_locked_by_another_program sample '-n 4' hold=lock waits=2000 \
  box="$writing_failed Lock violation."
# Endings without a box leave one warning event that says why.
row not_a_mapping_file '<Settings Width="392" />' '-n 4' \
  event='warning 9 Nothing was loaded from termToInput.xml: its first element is not TermToInput.'\
' The client was not started.'
row client_cannot_be_started sample '-n 4' setup=remove_client document="647 0 now $camera" \
  files=KvCmdLine.xml event='warning 11 Could not start the video client C:\Program Files\Korvane'\
'\Client\tarnclient.exe: File not found.'
special two_launches_at_once installed_from_the_msi checker_wildcards_and_folders \
  checker_names_this_pcs_zone

failures=()
for test_case in "${cases[@]}"; do
  [[ -z ${WINE_SUITE_CASES:-} || " $WINE_SUITE_CASES " == *" $test_case "* ]] || continue
  case_started=$(date +%s%3N)
  reset_case
  echo "[ RUN      ] $test_case"
  if [ -n "${row_of[$test_case]:-}" ]; then
    eval "run_row ${row_of[$test_case]}"
  else
    "$test_case"
  fi
  took=$(($(date +%s%3N) - case_started))
  if [ $case_failed -eq 0 ]; then
    echo "[       OK ] $test_case ($((took / 1000)).$((took % 1000 / 100)) s)"
  else
    echo "[  FAILED  ] $test_case ($((took / 1000)).$((took % 1000 / 100)) s)"
    failures+=("$test_case")
  fi
done

prefix=$WINEPREFIX
cleanup
trap - EXIT
unset WINEPREFIX
# Nothing of the session may outlive it: no process still has this prefix in its environment.
leftovers=$(grep -lsaF "WINEPREFIX=$prefix" /proc/[0-9]*/environ || true)
if [ -n "$leftovers" ]; then
  echo "[  FAILED  ] processes left behind: $leftovers"
  failures+=(leaves_no_process_behind)
fi

echo "Wine suite: ${#failures[@]} failed, $(($(date +%s) - suite_started)) s in all"
[ ${#failures[@]} -eq 0 ] || { printf '  failed: %s\n' "${failures[@]}"; exit 1; }
