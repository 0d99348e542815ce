#!/usr/bin/env bash
# Checks that a Windows program imports nothing but DLLs that every Windows has, so the single
# .exe runs on a bare machine: the C++ runtime, libgcc and winpthread must be linked in.
#
#   imports_only_system_dlls.sh OBJDUMP PROGRAM.exe
set -euo pipefail
objdump=${1:?usage: imports_only_system_dlls.sh OBJDUMP PROGRAM.exe}
program=${2:?}

imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$imports" ] || { echo "no imports found in $program"; exit 1; }
echo "$program imports:" "${imports//$'\n'/ }"
status=0
for dll in $imports; do
  case ${dll,,} in
    kernel32.dll | user32.dll | msvcrt.dll | advapi32.dll | gdi32.dll | shell32.dll | ntdll.dll) ;;
    *)
      echo "not a system DLL: $dll"
      status=1
      ;;
  esac
done
exit $status
