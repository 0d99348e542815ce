#!/usr/bin/env bash
# Fails when a source folder includes a header of a folder it may not depend on.
set -euo pipefail
src=${1:?usage: folder_dependencies.sh SRC_FOLDER}
declare -A allowed=(
  [base]="base"
  [mapping]="base time_zone mapping"
  [search_time]="base time_zone search_time"
  [time_zone]="base time_zone"
  [command_document]="base time_zone mapping command_document"
  [launch]="base time_zone mapping search_time command_document launch"
  [system]="base system"
  [launcher]="base mapping search_time time_zone command_document launch system launcher"
  [checker]="base mapping search_time time_zone command_document launch system checker"
)
status=0
for folder in "$src"/*/; do
  name=$(basename "$folder")
  [ -n "${allowed[$name]+set}" ] || { echo "unknown folder $name: add it here"; status=1; continue; }
  while IFS= read -r line; do
    included=${line#*\"}
    included=${included%%/*}
    if [[ " ${allowed[$name]} " != *" $included "* ]]; then
      echo "$name may not include $included: $line"
      status=1
    fi
  done < <(grep -rhE '^#include "[a-z_]+/' "$folder" || true)
done
exit $status
