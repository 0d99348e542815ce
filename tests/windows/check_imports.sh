#!/usr/bin/env bash
# Checks what a shipped Windows program imports:
# - nothing but DLLs that every Windows has, so the single .exe runs on a bare machine (the C++
#   runtime, libgcc and winpthread must be linked in);
# - the C runtime's time functions in their 64-bit forms only (_time64, _mktime64, ...): the
#   program is 32-bit, where a plain time, mktime or localtime of msvcrt.dll counts in 32 bits
#   and fails for every time after 2038-01-19.
#
#   check_imports.sh OBJDUMP PROGRAM.exe [REQUIRED_FUNCTION...]
#
# Each REQUIRED_FUNCTION must be imported, by name.
set -euo pipefail
objdump=${1:?usage: check_imports.sh OBJDUMP PROGRAM.exe [REQUIRED_FUNCTION...]}
program=${2:?}
required=("${@:3}")

table=$("$objdump" -p "$program")
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$table")
# The import table lists each function as "<address> <hint> <name>" under its DLL's name.
functions=$(awk '/^[[:space:]]*DLL Name:/ { in_dll = 1; next }
                 in_dll && NF == 0 { in_dll = 0 }
                 in_dll && $1 ~ /^[0-9a-f]+$/ && NF == 3 { print $3 }' <<<"$table")
[ -n "$dlls" ] || { echo "no imports found in $program"; exit 1; }
echo "$program imports from:" ${dlls}
status=0
for dll in $dlls; do
  case ${dll,,} in
    kernel32.dll | user32.dll | msvcrt.dll | advapi32.dll | gdi32.dll | shell32.dll | ntdll.dll) ;;
    *)
      echo "not a system DLL: $dll"
      status=1
      ;;
  esac
done

thirty_two_bit=$(grep -E -x '_?(time|mktime|localtime|gmtime|ctime|difftime|mkgmtime)(32)?(_s)?' \
  <<<"$functions" || true)
if [ -n "$thirty_two_bit" ]; then
  echo "imports time functions of 32-bit time_t:" $thirty_two_bit
  status=1
fi
echo "time functions imported:" $(grep -E 'time' <<<"$functions" || true)
for function in "${required[@]}"; do
  grep -q -x -F "$function" <<<"$functions" || { echo "does not import $function"; status=1; }
done
exit $status
