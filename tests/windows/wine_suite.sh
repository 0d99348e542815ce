#!/usr/bin/env bash
# The Windows launcher end to end under Wine: a real message box, mouse pointer and process start.
#
#   wine_suite.sh LAUNCHER_EXE HELPERS_DIR SAMPLE_MAPPING MSI
#
# One fresh Wine prefix (64-bit, so the 32-bit launcher runs as on 64-bit Windows) and one display
# for the whole suite (see demo/wine_session.sh). The client is the demo's, which records how it
# was started and the document it found; message boxes are read and dismissed by the session's
# reader. Every case runs the launcher as the audit application does, from a folder holding the
# mapping file, and checks its exit code, and the events it reported to the Application event log
# (see logged_events). MSI is the launcher's installer, installed and removed again. Prints each
# case's outcome; exits non-zero when any failed. Leaves no process and no file behind.
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
document="$client_dir/KvCmdLine.xml"
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

# WHAT FILE and command_document's arguments.
expect_document() {
  local expected
  capture expected command_document "${@:3}"
  expect_file "$1" "$expected" "$2"
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

place_cursor() {
  wine "$helpers/set_cursor.exe" "$1" "$2" || fail "the pointer could not be placed at $1, $2"
}

# Wine's event log is a stub that writes each event to its debug output: the ReportEventA call
# with its type and event ID on the advapi channel, then the text on the eventlog channel, as an
# error or a warning. The launches write it to $events_log.
event_channels=-all,err+eventlog,warn+eventlog,fixme+advapi
events_log=$scratch/events.log

# Runs the launcher ($launcher_program, or the one built) in the store folder with the given
# command line, checks its exit code, and waits until every client it started has ended (and so
# has written its record).
run_launcher() {
  local status=0
  (cd "$store" && WINEDEBUG=$event_channels timeout "$launch_timeout" \
    wine "${launcher_program:-$launcher}" "$@" 2>>"$events_log") || status=$?
  [ $status -ne 124 ] || fail "the launcher did not end within $launch_timeout s (a box nobody found?)"
  expect_equal "launcher exit code" 0 "$status"
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

# The event ID of a message the launcher shows, by its text.
event_id_of_message() {
  case $1 in
    'Could not open file '*) echo 1 ;;
    'Cmd line configuration document XML error: '*) echo 2 ;;
    'Found invalid mapping for Term Number '*) echo 3 ;;
    [0-9]*' skipped for an invalid mapping in file '*) echo 4 ;;
    'TimeZone "'* | 'ClockOffset "'*) echo 5 ;;
    'Could not read the transaction time '*) echo 6 ;;
    'Mapping of search terminal '*) echo 7 ;;
    'Error writing file '*) echo 8 ;;
    *) echo "(no ID known for this message)" ;;
  esac
}

# The message boxes shown since the case began, each text exactly, in order; each was reported
# as an error event with its kind's ID and its text less the final line feed, and nothing else
# was reported.
expect_boxes() {
  local boxes=("$WINE_SESSION_BOXES"/box-*.txt)
  if [ ${#boxes[@]} -ne $# ]; then
    fail "expected $# message box(es), saw ${#boxes[@]}: $(cat "${boxes[@]}" /dev/null)"
    return
  fi
  local i=0 expected
  for expected in "$@"; do
    expect_file "message box $((i + 1)) text" "$expected" "${boxes[$i]}"
    # The text sits in the box's Static control; MB_OK gives the single OK button.
    expect_file "message box $((i + 1)) controls" $'class=Static\nbuttons=1:OK\n' \
      "${boxes[$i]%.txt}.info"
    i=$((i + 1))
  done
  local events=()
  for expected in "$@"; do
    events+=("error $(event_id_of_message "$expected") ${expected%$'\n'}")
  done
  expect_events "${events[@]}"
}

client_starts() {
  local started=("$records"/client-*.txt)
  echo ${#started[@]}
}

expect_no_client_start() {
  local started=("$records"/client-*.txt)
  [ ${#started[@]} -eq 0 ] || fail "a client was started: $(cat "${started[@]}")"
}

# Field $2 (module, command_line, current_directory, document) of the client record $1.
record_field() {
  sed -n "s/^$2=//p" "$1"
}

expect_old_document_whole() {
  expect_file "the earlier command document" "$old_document" "$document"
}

# Only the client and its document: no temporary file was left behind (in the folder $1).
expect_clean_client_folder() {
  expect_equal "files in the client's folder" "KvCmdLine.xml tarnclient.exe" \
    "$(cd "${1:-$client_dir}" && printf '%s ' * | sed 's/ $//')"
}

# Field of the document's Search element: Start or End.
search_field() {
  sed -n "s/.*<Search Start=\"\([-0-9]*\)\" End=\"\([-0-9]*\)\".*/\\$2/p" "$1"
}

# The client installed in "C:\Program Files" only; nothing left of an earlier case.
reset_case() {
  rm -rf "$store" "$records" "$WINE_SESSION_BOXES"/box-* "$drive_c/Program.exe" \
    "$drive_c/Program Files/Korvane" "$drive_c/Program Files (x86)/Korvane"
  mkdir -p "$store" "$records" "$client_dir"
  : >"$events_log"
  cp "$helpers/demo_client.exe" "$client_dir/tarnclient.exe"
  case_failed=0
}

failures=()
run_case() {
  local started took
  started=$(date +%s%3N)
  reset_case
  echo "[ RUN      ] $1"
  "$1"
  took=$(($(date +%s%3N) - started))
  took=$((took / 1000)).$((took % 1000 / 100))
  if [ $case_failed -eq 0 ]; then
    echo "[       OK ] $1 (${took} s)"
  else
    echo "[  FAILED  ] $1 (${took} s)"
    failures+=("$1")
  fi
}

# --- The cases -----------------------------------------------------------------------------------

successful_launch() {
  cp "$sample_mapping" "$store/termToInput.xml"
  printf '%s' "$old_document" >"$document"
  place_cursor 311 207
  local before after
  before=$(date +%s)
  run_launcher -n 4
  after=$(date +%s)

  expect_boxes
  local start end
  start=$(search_field "$document" 1)
  end=$(search_field "$document" 2)
  if [ -z "$start" ] || [ "$start" -lt $((before - 5)) ] || [ "$start" -gt $((after - 5)) ]; then
    fail "Start $start is not the launch time ($before to $after) less 5 s"
  fi
  expect_document "the command document, at the pointer, Pre/Post 5 s, CR LF" "$document" \
    207 311 "$start" $((start + 10)) 'Number="7" Device="2"'
  expect_equal "End" $((start + 10)) "$end"
  expect_clean_client_folder

  local started=("$records"/client-*.txt)
  [ ${#started[@]} -eq 1 ] || { fail "expected one client start, saw ${#started[@]}"; return; }
  local record=${started[0]}
  expect_equal "client program" 'C:\Program Files\Korvane\Client\tarnclient.exe' \
    "$(record_field "$record" module)"
  expect_equal "client command line" \
    'C:\Program Files\Korvane\Client\tarnclient.exe -FKvCmdLine.xml' \
    "$(record_field "$record" command_line)"
  expect_equal "client current directory" 'C:\Program Files\Korvane\Client' \
    "$(record_field "$record" current_directory)"
  cmp -s "$document" "${record%.txt}.xml" || fail "the client found another document"
}

# Local time 2007-06-06 14:50:25 under TZ=EST5EDT is 18:50:25 UTC (daylight-saving time);
# 2007-01-06 14:50:25 is 19:50:25 UTC. The option may stand before or after the terminal's.
time_option() {
  cp "$sample_mapping" "$store/termToInput.xml"
  place_cursor 0 1023
  TZ=EST5EDT run_launcher -t2007-06-06 14:50:25 -n 2
  expect_document "document for a summer time" "$document" \
    647 0 1181155820 1181155830 'Name="Lane 2 Overhead"'
  TZ=EST5EDT run_launcher /N 1 /t2007-01-06 14:50:25
  expect_document "document for a winter time" "$document" \
    647 0 1168113020 1168113030 'Name="Lane 1 Overhead"'
  expect_boxes
  expect_equal "client starts" 2 "$(client_starts)"
}

# The caller's own quoting reaches the program raw (a batch file's line is passed as written):
# the terminal's number in quotes, and PM left outside the quoted date and time. The store's zone
# kept daylight time in 2007 but no longer does, so only the whole history compiled into the
# program gives 14:50:25 CDT, 19:50:25 UTC, as the native build does with the same words.
quoted_words_and_a_zone_whose_rules_changed() {
  cat >"$store/termToInput.xml" <<'MAPPING'
<TermToInput TimeZone="America/Mexico_City">
  <Term Number="4"><System Name="Store 12 Recorder"><Input Number="7" Device="2" /></System></Term>
</TermToInput>
MAPPING
  cp "$launcher" "$store/launcher.exe"
  printf '@C:\\store\\launcher.exe -n "4" -t "2007-06-06 2:50:25" PM\r\n' >"$store/launch.bat"
  place_cursor 0 1023
  TZ=JST-9 launcher_program=cmd run_launcher /c 'C:\store\launch.bat'
  expect_document "document for the quoted words" "$document" \
    647 0 1181159420 1181159430 'Number="7" Device="2"'
  expect_boxes
  expect_equal "client starts" 1 "$(client_starts)"
  rm -f "$store/launcher.exe" "$store/launch.bat"
}

# The 32-bit program counts time in 64 bits: 2040-06-06 14:50:25 EDT is 2222621425 (18:50:25 UTC).
time_after_2038() {
  cp "$sample_mapping" "$store/termToInput.xml"
  place_cursor 0 1023
  TZ=EST5EDT run_launcher -t2040-06-06 14:50:25 -n 4
  expect_document "document for a time after 2038" "$document" \
    647 0 2222621420 2222621430 'Number="7" Device="2"'
  expect_boxes
  expect_equal "client starts" 1 "$(client_starts)"
}

# A time the launcher cannot read is shown, and nothing is written or started.
unreadable_time() {
  cp "$sample_mapping" "$store/termToInput.xml"
  printf '%s' "$old_document" >"$document"
  run_launcher -n 4 -t06/06/2007 14:50:25
  expect_boxes $'Could not read the transaction time "06/06/2007 14:50:25": expected YYYY-MM-DD HH:MM:SS.\n'
  expect_no_client_start
  expect_old_document_whole
}

# The C runtime's own local time at the first and last days accepted, as the Linux build reads
# them: 1970-01-02 00:00:00 EST is 104400, 3000-12-30 23:59:59 EST is 32535147599.
first_and_last_days() {
  cp "$sample_mapping" "$store/termToInput.xml"
  place_cursor 0 1023
  TZ=EST5EDT run_launcher -n 2 -t "1970-01-02"
  expect_document "document for the first day" "$document" \
    647 0 104395 104405 'Name="Lane 2 Overhead"'
  TZ=EST5EDT run_launcher -n 2 -t "3000-12-30 23:59:59"
  expect_document "document for the last day" "$document" \
    647 0 32535147594 32535147604 'Name="Lane 2 Overhead"'
  expect_boxes
  expect_equal "client starts" 2 "$(client_starts)"
}

# A name holding the text "&#x41;" reaches the client as written, not as "A": the TinyXML built
# into the program must escape every '&'.
reference_text_in_a_name() {
  printf '%s\r\n' '<TermToInput>' \
    '  <Term Number="5"><System Name="S&amp;#x41;"><Input Name="Door" /></System></Term>' \
    '</TermToInput>' >"$store/termToInput.xml"
  run_launcher -n 5
  expect_boxes
  grep -q '<System Name="S&amp;#x41;">' "$document" || fail "the name changed: $(cat "$document")"
}

missing_mapping_file() {
  printf '%s' "$old_document" >"$document"
  run_launcher -n 4
  expect_boxes $'Could not open file termToInput.xml\n'
  expect_no_client_start
  expect_old_document_whole
}

# A folder in the mapping file's place is not a file on disk: refused, not read.
mapping_file_is_a_folder() {
  mkdir "$store/termToInput.xml"
  printf '%s' "$old_document" >"$document"
  run_launcher -n 4
  expect_boxes $'Could not open file termToInput.xml\n'
  expect_no_client_start
  expect_old_document_whole
  rmdir "$store/termToInput.xml"
}

empty_mapping_file() {
  : >"$store/termToInput.xml"
  printf '%s' "$old_document" >"$document"
  run_launcher -n 4
  expect_boxes $'Cmd line configuration document XML error: Error document empty.\n'
  expect_no_client_start
  expect_old_document_whole
}

terminal_not_found() {
  cp "$sample_mapping" "$store/termToInput.xml"
  printf '%s' "$old_document" >"$document"
  run_launcher -n 3
  expect_boxes $'Mapping of search terminal 3 to camera not found.\n'
  expect_no_client_start
  expect_old_document_whole
  expect_clean_client_folder
}

# An Input with neither Name nor Number is shown; the other terminals still work.
invalid_mapping() {
  printf '%s\r\n' '<TermToInput>' '  <Term Number="5"><System Name="S"><Input Device="1" /></System></Term>' \
    '</TermToInput>' >"$store/termToInput.xml"
  printf '%s' "$old_document" >"$document"
  run_launcher -n 5
  expect_boxes $'Found invalid mapping for Term Number 5 in file termToInput.xml\n'
  expect_no_client_start
  expect_old_document_whole

  rm -f "$WINE_SESSION_BOXES"/box-*
  printf '%s\r\n' '<TermToInput>' '  <Term Number="5"><System Name="S"><Input /></System></Term>' \
    '  <Term Number="6"><System Name="S"><Input Name="Door" /></System></Term>' \
    '</TermToInput>' >"$store/termToInput.xml"
  run_launcher -n 6
  expect_boxes $'Found invalid mapping for Term Number 5 in file termToInput.xml\n'
  expect_equal "client starts after the box" 1 "$(client_starts)"
  grep -q '<Input Name="Door" />' "$document" || fail "terminal 6's document was not written"
}

# Runs the launcher with "-n 4" while a reader holds the command document open, sharing it as
# hold_open.exe's SHARING ($1) says, never for deletion: the document cannot be replaced.
launch_while_document_held() {
  launch_milliseconds=0  # How long the launcher ran, for a case that waits on the holder.
  cp "$sample_mapping" "$store/termToInput.xml"
  printf '%s' "$old_document" >"$document"
  wine "$helpers/hold_open.exe" 'C:\Program Files\Korvane\Client\KvCmdLine.xml' "$1" \
    'C:\session\held' 'C:\session\release' &
  local holder=$!
  if wine_session_wait_for_file "$WINE_SESSION_DIR/held" 300 any; then
    local started
    started=$(date +%s%3N)
    run_launcher -n 4
    launch_milliseconds=$(($(date +%s%3N) - started))
  else
    fail "the document could not be held open"
  fi
  touch "$WINE_SESSION_DIR/release"
  wait $holder || fail "hold_open.exe failed"
  rm -f "$WINE_SESSION_DIR/held" "$WINE_SESSION_DIR/release"
}

# A reader that shares the document for reading only: it can be neither replaced nor written. The
# message ends in the system's reason, here Wine's text for ERROR_SHARING_VIOLATION.
document_cannot_be_written() {
  launch_while_document_held read
  expect_boxes $'Error writing file C:\\Program Files\\Korvane\\Client\\KvCmdLine.xml.  Error Sharing violation.\n'
  expect_no_client_start
  expect_old_document_whole
  expect_clean_client_folder
}

# A reader that shares the document for reading and writing, as the client may still hold the
# last one: the new document is written in place, and the client starts with it.
document_held_open_by_a_reader() {
  launch_while_document_held read-write
  expect_boxes
  local started=("$records"/client-*.txt)
  expect_equal "client starts" 1 ${#started[@]}
  grep -q '<Input Number="7" Device="2" />' "$document" || fail "the new document was not written"
  [ ${#started[@]} -eq 0 ] || cmp -s "$document" "${started[0]%.txt}.xml" ||
    fail "the client found another document"
  expect_clean_client_folder
}

# A program that holds the document locked, as another launch writing it in place does, for longer
# than the launcher waits (2 s): the save fails with the system's reason and the old document
# stays whole, never emptied.
document_locked_by_another_program() {
  launch_while_document_held lock
  [ "$launch_milliseconds" -ge 2000 ] ||
    fail "the launcher gave up on the lock after $launch_milliseconds ms"
  expect_boxes $'Error writing file C:\\Program Files\\Korvane\\Client\\KvCmdLine.xml.  Error Lock violation.\n'
  expect_no_client_start
  expect_old_document_whole
  expect_clean_client_folder
}

# A client installed only in "C:\Program Files (x86)", as its 32-bit installer does on 64-bit
# Windows: the document is written there and the client started there.
client_only_in_x86_program_files() {
  rm -rf "$drive_c/Program Files/Korvane"
  mkdir -p "$x86_client_dir"
  cp "$helpers/demo_client.exe" "$x86_client_dir/tarnclient.exe"
  cp "$sample_mapping" "$store/termToInput.xml"
  run_launcher -n 4
  expect_boxes
  local started=("$records"/client-*.txt)
  [ ${#started[@]} -eq 1 ] || { fail "expected one client start, saw ${#started[@]}"; return; }
  local record=${started[0]} folder='C:\Program Files (x86)\Korvane\Client'
  expect_equal "client program" "$folder\\tarnclient.exe" "$(record_field "$record" module)"
  expect_equal "client command line" "$folder\\tarnclient.exe -FKvCmdLine.xml" \
    "$(record_field "$record" command_line)"
  expect_equal "client current directory" "$folder" "$(record_field "$record" current_directory)"
  grep -q '<Input Number="7" Device="2" />' "$x86_client_dir/KvCmdLine.xml" ||
    fail "the document was not written beside the client"
  cmp -s "$x86_client_dir/KvCmdLine.xml" "${record%.txt}.xml" ||
    fail "the client found another document"
  [ ! -e "$drive_c/Program Files/Korvane" ] || fail "something was written under C:\\Program Files"
  expect_clean_client_folder "$x86_client_dir"
}

# "C:\Program.exe" is what Windows runs first for the unquoted client path when no application
# name is given. The control shows that Wine does that here; the launcher must not.
planted_program_exe() {
  cp "$sample_mapping" "$store/termToInput.xml"
  cp "$helpers/demo_client.exe" "$drive_c/Program.exe"
  printf '%s' "$old_document" >"$document"
  wine "$helpers/start_without_application_name.exe" || fail "the control start failed"
  if ! grep -qx 'module=C:\\Program.exe' "$records"/client-*.txt /dev/null; then
    fail "control: the planted program did not run for a start without application name"
  fi
  rm -f "$records"/*

  run_launcher -n 4
  local started=("$records"/client-*.txt)
  expect_equal "client starts" 1 ${#started[@]}
  expect_equal "program started" 'C:\Program Files\Korvane\Client\tarnclient.exe' \
    "$(record_field "${started[0]:-/dev/null}" module)"
  expect_boxes
}

# Notepad's "Unicode" is UTF-16: full of NUL bytes, on which the XML reader would loop forever.
mapping_saved_as_utf16() {
  printf '\xFF\xFE' >"$store/termToInput.xml"
  sed 's/$/\r/' "$sample_mapping" | iconv -f UTF-8 -t UTF-16LE >>"$store/termToInput.xml"
  printf '%s' "$old_document" >"$document"
  run_launcher -n 4
  expect_boxes $'Cmd line configuration document XML error: The file holds a NUL byte; it must be saved as ANSI or UTF-8 (not as Unicode or UTF-16).\n'
  expect_no_client_start
  expect_old_document_whole
}

# Near the longest command line Windows passes on (32767 characters), the terminal option still
# counts and nothing overflows.
long_command_line() {
  cp "$sample_mapping" "$store/termToInput.xml"
  local padding
  padding=$(head -c 32000 /dev/zero | tr '\0' x)
  run_launcher -n 2 "$padding"
  expect_boxes
  expect_equal "client starts" 1 "$(client_starts)"
  grep -q '<Input Name="Lane 2 Overhead" />' "$document" || fail "terminal 2's document was not written"
}

# A temporary file that a killed launch left is removed by the next save once it is old; a
# recent one may belong to a launch still running and stays.
abandoned_temporary_file() {
  cp "$sample_mapping" "$store/termToInput.xml"
  : >"$client_dir/KvCmdLine.xml.tmp-4242-0"
  touch -d '-10 minutes' "$client_dir/KvCmdLine.xml.tmp-4242-0"
  : >"$client_dir/KvCmdLine.xml.tmp-4243-0"
  run_launcher -n 4
  expect_boxes
  expect_equal "files in the client's folder" "KvCmdLine.xml KvCmdLine.xml.tmp-4243-0 tarnclient.exe" \
    "$(cd "$client_dir" && printf '%s ' * | sed 's/ $//')"
  rm -f "$client_dir/KvCmdLine.xml.tmp-4243-0"
}

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
  expect_boxes
  expect_clean_client_folder
}

# Launches that end without starting the client and without a box leave one warning event that
# says why, and so does a client that cannot be started, with the system's reason; still nothing
# is shown. A flood of invalid Terms is ten boxes and one count of the rest, each an error event.
silent_endings_and_a_flood_in_the_event_log() {
  printf '%s\r\n' '<Settings Width="392" />' >"$store/termToInput.xml"
  run_launcher -n 4
  expect_events "warning 9 Nothing was loaded from termToInput.xml: its first element is not TermToInput. The client was not started."
  # The XML reader takes an internal subset's "]>" for text: the file holds no element at all.
  printf '%s\r\n' '<!DOCTYPE TermToInput [ <!ENTITY lane "Lane 1"> ]>' '<TermToInput>' \
    '  <Term Number="4"><System Name="S"><Input Name="Door" /></System></Term>' '</TermToInput>' \
    >"$store/termToInput.xml"
  run_launcher -n 4
  expect_events "warning 9 Nothing was loaded from termToInput.xml: its first element is not TermToInput. The client was not started."
  printf '%s\r\n' '<TermToInput Width="392" />' >"$store/termToInput.xml"
  run_launcher -n 4
  expect_events "warning 10 Nothing was loaded from termToInput.xml: no Term in it maps a terminal to a camera. The client was not started."
  cp "$sample_mapping" "$store/termToInput.xml"
  rm "$client_dir/tarnclient.exe"
  run_launcher -n 4
  expect_events 'warning 11 Could not start the video client C:\Program Files\Korvane\Client\tarnclient.exe: File not found.'
  grep -q '<Input Number="7" Device="2" />' "$document" || fail "the document was not written"
  expect_boxes
  expect_no_client_start

  local terms=() boxes=() number
  for number in {1..12}; do
    terms+=("  <Term Number=\"$number\"><System Name=\"S\"><Input Device=\"1\" /></System></Term>")
    [ "$number" -gt 10 ] ||
      boxes+=("Found invalid mapping for Term Number $number in file termToInput.xml"$'\n')
  done
  printf '%s\r\n' '<TermToInput>' "${terms[@]}" '</TermToInput>' >"$store/termToInput.xml"
  run_launcher -n 4
  expect_boxes "${boxes[@]}" $'2 more Terms skipped for an invalid mapping in file termToInput.xml\n'
  expect_no_client_start
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
  local status=0 installed="$drive_c/Program Files (x86)/POS Video Launcher"
  wine msiexec /i 'C:\session\launcher.msi' /qn || status=$?
  expect_equal "msiexec /i exit code" 0 $status
  expect_equal "installed files" \
    "README.txt examples/termToInput.xml pos-video-check.exe pos-video-launcher.exe" \
    "$(cd "$installed" 2>/dev/null && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ' | sed 's/ $//')"
  cmp -s "$launcher" "$installed/pos-video-launcher.exe" || fail "the installed launcher is not the one built"
  local event_source
  event_source=$(printf '%s\n' \
    'EventMessageFile REG_EXPAND_SZ C:\Program Files (x86)\POS Video Launcher\pos-video-launcher.exe' \
    'TypesSupported REG_DWORD 0x3')
  expect_equal "the event source" "$event_source" "$(event_source_values)"

  cp "$installed/examples/termToInput.xml" "$store/"
  launcher_program='C:\Program Files (x86)\POS Video Launcher\pos-video-launcher.exe' \
    run_launcher -n 2
  expect_boxes
  expect_equal "client starts" 1 "$(client_starts)"
  grep -q '<Input Name="Lane 2 Overhead" />' "$document" || fail "terminal 2's document was not written"

  status=0
  wine msiexec /i 'C:\session\later.msi' /qn || status=$?
  expect_equal "msiexec /i exit code of the later version" 0 $status
  expect_equal "installed versions after the later one" 99.0.0 "$(installed_versions)"
  grep -q 'launcher 99.0.0' "$installed/README.txt" || fail "the later version's files are not there"
  expect_equal "the event source after the later version" "$event_source" "$(event_source_values)"
  osslsigncode verify -CAfile "$key/ca.pem" -in "$installed/pos-video-launcher.exe" >/dev/null ||
    fail "the later version's launcher is not signed"
  rm -f "$WINE_SESSION_BOXES"/box-*
  launcher_program='C:\Program Files (x86)\POS Video Launcher\pos-video-launcher.exe' \
    run_launcher -n 3
  expect_boxes $'Mapping of search terminal 3 to camera not found.\n'
  wine msiexec /i 'C:\session\launcher.msi' /qn && fail "the earlier version replaced the later one"
  expect_equal "installed versions after trying the earlier one" 99.0.0 "$(installed_versions)"

  status=0
  wine msiexec /x 'C:\session\later.msi' /qn || status=$?
  expect_equal "msiexec /x exit code" 0 $status
  [ ! -e "$installed" ] || fail "left after uninstalling: $(find "$installed" | tr '\n' ' ')"
  expect_equal "installed versions after uninstalling" "" "$(installed_versions)"
  expect_equal "the event source after uninstalling" "" "$(event_source_values)"
  rm -f "$WINE_SESSION_DIR/launcher.msi" "$WINE_SESSION_DIR/later.msi"
}

# A zone name with a letter beyond ASCII, from a file saved as UTF-8 (Notepad's default) and from
# the same file saved in the PC's code page (Latin-1, which code page 1252 reads alike): the box and
# the event show the same letters. The box reader reads the text back in the code page, where "ü"
# is the byte FC; Wine's debug output writes the event's U+00FC as \00fc.
names_in_their_own_letters() {
  local mapping='<TermToInput TimeZone="Europe/Zürich"><Term Number="4"><System Name="S"><Input Name="Door" /></System></Term></TermToInput>'
  local encoding
  for encoding in UTF-8 LATIN1; do
    rm -f "$WINE_SESSION_BOXES"/box-*
    printf '%s\r\n' "$mapping" | iconv -f UTF-8 -t $encoding >"$store/termToInput.xml"
    run_launcher -n 4
    local boxes=("$WINE_SESSION_BOXES"/box-*.txt)
    expect_file "the box for the file in $encoding" \
      $'TimeZone "Europe/Z\xFCrich" in file termToInput.xml is not a time zone.\n' \
      "${boxes[0]:-/dev/null}"
    expect_events 'error 5 TimeZone "Europe/Z\00fcrich" in file termToInput.xml is not a time zone.'
  done
  expect_no_client_start
}

# A store's zone as Windows names it reads as the tzdata zone CLDR maps it to (14:50:25 in Tokyo is
# 05:50:25 UTC), and the checker names this PC's zone by the key name Windows gives it.
windows_zone_names() {
  printf '<TermToInput TimeZone="Tokyo Standard Time"><Term Number="4"><System Name="Store 12 Recorder"><Input Name="Door" /></System></Term></TermToInput>\r\n' \
    >"$store/termToInput.xml"
  place_cursor 0 1023
  run_launcher -n 4 -t "2007-06-06 14:50:25"
  expect_document "document for a Windows zone name" "$document" \
    647 0 1181109020 1181109030 'Name="Door"'
  expect_boxes
  local preview
  preview=$(cd "$store" && wine "$helpers/pos-video-check.exe" termToInput.xml -n 4 2>/dev/null)
  [[ $preview == *"this PC's local time, "[A-Z]*")"* ]] || fail "the checker names no zone: $preview"
}

# A value too long for the message is shortened to its beginning and "...", so that the rest of the
# sentence still says what is wrong where: 198 bytes of the message are left for the value.
long_value_keeps_its_sentence() {
  local zone
  zone=Mars/$(head -c 400 /dev/zero | tr '\0' x)
  printf '<TermToInput TimeZone="%s"><Term Number="4"><System Name="S"><Input Name="Door" /></System></Term></TermToInput>\r\n' \
    "$zone" >"$store/termToInput.xml"
  run_launcher -n 4
  expect_boxes "TimeZone \"${zone:0:195}...\" in file termToInput.xml is not a time zone."$'\n'
  expect_no_client_start
}

# On the 1280 × 1024 screen, a window of 392 × 377 opened at the pointer near the right or bottom
# edge moves inside it; in the middle it opens at the pointer.
window_kept_on_the_screen() {
  cp "$sample_mapping" "$store/termToInput.xml"
  local x y left top
  while read -r x y left top; do
    place_cursor "$x" "$y"
    run_launcher -n 4
    grep -q "<KorvaneInit Top=\"$top\" Left=\"$left\" Width=\"392\" Height=\"377\" " "$document" ||
      fail "pointer at $x, $y: expected Top $top, Left $left: $(grep -o 'Top="[-0-9]*" Left="[-0-9]*"' "$document")"
  done <<'POSITIONS'
640 512 640 512
888 647 888 647
1279 300 888 300
300 1023 300 647
1279 1023 888 647
POSITIONS
  expect_boxes
}

for test_case in successful_launch time_option quoted_words_and_a_zone_whose_rules_changed \
  time_after_2038 unreadable_time first_and_last_days reference_text_in_a_name \
  missing_mapping_file mapping_file_is_a_folder empty_mapping_file terminal_not_found \
  invalid_mapping document_cannot_be_written document_held_open_by_a_reader \
  document_locked_by_another_program client_only_in_x86_program_files planted_program_exe \
  abandoned_temporary_file two_launches_at_once mapping_saved_as_utf16 long_command_line \
  names_in_their_own_letters windows_zone_names long_value_keeps_its_sentence \
  window_kept_on_the_screen \
  silent_endings_and_a_flood_in_the_event_log installed_from_the_msi; do
  # WINE_SUITE_CASES="a b" runs only those cases, to try one while working on it.
  [[ -z ${WINE_SUITE_CASES:-} || " $WINE_SUITE_CASES " == *" $test_case "* ]] || continue
  run_case $test_case
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
