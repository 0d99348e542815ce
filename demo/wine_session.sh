# shellcheck shell=bash
# One Wine session on an X display of its own, for the demo and the end-to-end tests. Sourced.
#
#   wine_session_start HELPERS_DIR SESSION_DIR [PREFIX]
#   wine_session_stop
#
# wine_session_start makes a 64-bit Wine prefix in PREFIX (SESSION_DIR/prefix by default; a prefix
# that is already there is used as it is), in which the 32-bit launcher runs as on 64-bit Windows,
# with a "C:\Program Files (x86)" (where the machine cannot run 32-bit Wine, only 64-bit programs
# run, and the wine command is made to use 64-bit Wine); then it starts Xvfb on a free display and, in the prefix, the
# message box reader of HELPERS_DIR. The reader presses OK on each of the launcher's message boxes
# after recording its text in $WINE_SESSION_BOXES, and it keeps the session's Wine processes
# alive: when Wine's desktop process starts again it moves the pointer to the screen's centre.
# Exports WINEPREFIX and DISPLAY for the wine commands that follow.
#
# wine_session_stop ends all of it again by process id (Wine's own processes through wineserver of
# this prefix) and is safe to call at any point, also when the start failed half way or a process
# already ended by itself. It always returns 0, so an EXIT trap that calls it under "set -e"
# keeps the script's exit status. As a last resort, should the calling shell be killed, the
# reader ends after WINE_SESSION_SECONDS (300), Wine's processes follow it, and Xvfb ends with its
# last client.

WINE_SESSION_XVFB_PID=
WINE_SESSION_READER_PID=

wine_session_fail() {
  echo "wine session: $*" >&2
  return 1
}

# Waits up to $2 tenths of a second for the file $1 to exist and not be empty (or just exist,
# with $3 = any).
wine_session_wait_for_file() {
  local tries=0
  while [ $tries -lt "$2" ]; do
    if [ -s "$1" ] || { [ "${3:-}" = any ] && [ -e "$1" ]; }; then return 0; fi
    sleep 0.1
    tries=$((tries + 1))
  done
  return 1
}

# Whether this machine runs 32-bit Wine. Its kernel may lack 32-bit support, and then Wine's
# 32-bit loader, which the wine command prefers whenever it is installed, fails with "Exec format
# error"; 64-bit Windows programs still run under 64-bit Wine. WINE_SESSION_64_BIT_ONLY=1 takes
# the path of such a machine on one that does run 32-bit code, so that both paths can be tried.
wine_session_runs_32_bit() {
  [ "${WINE_SESSION_64_BIT_ONLY:-0}" != 1 ] &&
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Puts commands named wine and wine-stable (the one that wineboot and Wine's other tools start) on
# PATH that use 64-bit Wine only, for a machine where 32-bit Wine cannot run.
wine_session_use_64_bit_wine() {
  local bin=$1/wine64-only name
  mkdir -p "$bin"
  for name in wine wine-stable; do
    printf '#!/bin/sh
WINELOADER=/usr/lib/wine/wine64 exec /usr/lib/wine/wine64 "$@"
' >"$bin/$name"
    chmod +x "$bin/$name"
  done
  export PATH="$bin:$PATH"
}

wine_session_start() {
  local helpers=$1 session=$2
  export WINEPREFIX=${3:-$session/prefix}
  # Quiet; no offer to install Mono or Gecko while the prefix is made, and no menu entries or file
  # associations written into the user's desktop settings.
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL=C
  command -v wine >/dev/null && command -v Xvfb >/dev/null ||
    wine_session_fail "wine and Xvfb are needed: run scripts/install_dependencies.sh" || return 1
  mkdir -p "$session" "$(dirname "$WINEPREFIX")"
  wine_session_runs_32_bit || wine_session_use_64_bit_wine "$session"

  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Made before the display exists, so that Xvfb's first client is the session's own.
    WINEARCH=win64 env -u DISPLAY wineboot -i >"$session/wineboot.log" 2>&1 ||
      wine_session_fail "wineboot failed, see $session/wineboot.log" || return 1
    # Without a window manager Wine waits two seconds for each closed managed window to be
    # withdrawn; unmanaged windows close at once.
    env -u DISPLAY wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
      >>"$session/wineboot.log" 2>&1 || wine_session_fail "cannot configure the prefix" || return 1
    wineserver -w
  fi

  # -displayfd: Xvfb takes the first free display and reports it when it accepts clients.
  rm -f "$session/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -terminate \
    3>"$session/display" >"$session/xvfb.log" 2>&1 &
  WINE_SESSION_XVFB_PID=$!
  wine_session_wait_for_file "$session/display" 100 ||
    wine_session_fail "Xvfb did not start, see $session/xvfb.log" || return 1
  DISPLAY=:$(head -n 1 "$session/display")
  export DISPLAY

  local windows_session='C:\session'
  WINE_SESSION_DIR=$WINEPREFIX/drive_c/session
  WINE_SESSION_BOXES=$WINE_SESSION_DIR/boxes
  rm -rf "$WINE_SESSION_DIR"
  mkdir -p "$WINE_SESSION_BOXES"
  wine "$helpers/message_box_reader.exe" "$windows_session\\boxes" "$windows_session\\stop" \
    "${WINE_SESSION_SECONDS:-300}" >"$session/reader.log" 2>&1 &
  WINE_SESSION_READER_PID=$!
  wine_session_wait_for_file "$WINE_SESSION_BOXES/ready" 300 any ||
    wine_session_fail "the message box reader did not start, see $session/reader.log" || return 1
}

# Waits up to $2 tenths of a second for process $1 to end.
wine_session_wait_for_exit() {
  local tries=0
  while kill -0 "$1" 2>/dev/null && [ $tries -lt "$2" ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
  ! kill -0 "$1" 2>/dev/null
}

# Each step may find its process gone already (Xvfb ends with its last client, so usually is):
# none of their failures may end a caller running under "set -e".
wine_session_stop() {
  if [ -n "$WINE_SESSION_READER_PID" ]; then
    touch "$WINE_SESSION_DIR/stop" 2>/dev/null || true
    wine_session_wait_for_exit "$WINE_SESSION_READER_PID" 100 ||
      kill "$WINE_SESSION_READER_PID" 2>/dev/null || true
    wait "$WINE_SESSION_READER_PID" 2>/dev/null || true
    WINE_SESSION_READER_PID=
  fi
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  if [ -n "$WINE_SESSION_XVFB_PID" ]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    WINE_SESSION_XVFB_PID=
  fi
  return 0
}
