#!/usr/bin/env bash
# Checks that what an object file puts into a program (its code and data sections, without the
# compiler's identification) stays within a number of bytes: the compiled-in time-zone table must
# add at most 160 KB to the .exe, less the room that alignment and relocations take there.
#
#   check_object_size.sh OBJDUMP LIMIT OBJECT...
#
# Of the OBJECTs (all of a library's, as CMake lists them), those named *zone_table* are summed.
set -euo pipefail
objdump=${1:?usage: check_object_size.sh OBJDUMP LIMIT OBJECT...}
limit=${2:?}
total=0
found=0
for object in "${@:3}"; do
  case $object in *zone_table*) ;; *) continue ;; esac
  found=1
  # "Idx Name Size VMA ...": sizes in hexadecimal.
  while read -r name size; do
    total=$((total + 16#$size))
  done < <("$objdump" -h "$object" | awk '$1 ~ /^[0-9]+$/ && $2 !~ /\$zzz$/ { print $2, $3 }')
done
[ $found -eq 1 ] || { echo "no zone table among the objects"; exit 1; }
echo "the time-zone table takes $total bytes (at most $limit)"
[ $total -le "$limit" ]
