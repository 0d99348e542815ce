#!/usr/bin/env bash
# Checks a shipped Windows program's resources:
# - no manifest that requests an execution level or declares DPI awareness. Either takes Windows'
#   file virtualization away from a 32-bit program run by a standard user, or makes Windows hand
#   the launcher scaled pointer positions that the client, which is not DPI-aware, does not use;
#   a manifest linked in by the toolchain ("asInvoker") would do the first;
# - a version resource with the project's version, and with none of the words that make Windows
#   take a program for an installer and ask for an administrator, in its strings or file name;
# - a message table whose messages 1 to MESSAGE_IDS are each "%1" alone, as Event Viewer needs to
#   show the program's events as written, or none where MESSAGE_IDS is 0.
#
#   check_resources.sh OBJCOPY STRINGS PROGRAM.exe VERSION WINDRES MESSAGE_IDS
set -euo pipefail
objcopy=${1:?usage: check_resources.sh OBJCOPY STRINGS PROGRAM.exe VERSION WINDRES MESSAGE_IDS}
strings=${2:?}
program=${3:?}
version=${4:?}
windres=${5:?}
message_ids=${6:?}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$objcopy" -O binary --only-section=.rsrc "$program" "$scratch/rsrc"
[ -s "$scratch/rsrc" ] || { echo "$program has no resources"; exit 1; }

status=0
# A manifest is UTF-8 text; the version resource's strings are UTF-16.
if grep -a -i -o -E 'requestedExecutionLevel|asInvoker|requireAdministrator|highestAvailable|dpiAware|dpiAwareness|<assembly' \
  "$scratch/rsrc" | sort -u | sed 's/^/manifest text in the resources: /' | grep .; then
  status=1
fi
"$strings" -a -e l -n 1 "$scratch/rsrc" >"$scratch/strings"
# Each string of the version resource is its name followed by its value.
value_of() {
  awk -v name="$1" 'found { print; exit } $0 == name { found = 1 }' "$scratch/strings"
}
for name in ProductName FileDescription FileVersion ProductVersion; do
  value=$(value_of $name)
  echo "$name: $value"
  case $name in
    *Version) [ "$value" == "$version" ] || { echo "  expected $version"; status=1; } ;;
    *) [ -n "$value" ] || { echo "  expected a text"; status=1; } ;;
  esac
done
if grep -i -E 'setup|install|update|patch' "$scratch/strings" | sed 's/^/a word of installers: /' | grep .; then
  status=1
fi
if grep -i -E 'setup|install|update|patch' <<<"$(basename "$program")" >/dev/null; then
  echo "a word of installers in the file name: $(basename "$program")"
  status=1
fi

# windres writes a message table out as "MessageId = 0xN" lines, each followed by its text.
"$windres" -i "$program" -O rc >"$scratch/rc"
messages=$(awk '/^ *MessageId = / { id = $3; next }
                id != "" && NF { print id ": " $1; id = "" }' "$scratch/rc")
expected=$(for ((id = 1; id <= message_ids; id++)); do printf '0x%x: %%1\\n\\000\n' $id; done)
if [ "$messages" != "$expected" ]; then
  echo "message table: expected messages 1 to $message_ids, each \"%1\", found:"
  printf '%s\n' "$messages"
  status=1
else
  echo "message table: $message_ids messages"
fi
exit $status
