#!/usr/bin/env bash
# Fetches Debian's TinyXML source package into DEST and prints the unpacked source folder.
#
# The Windows build and the fuzzers compile TinyXML themselves; they must use exactly the library
# the native build links: Debian's 2.6.2 with Debian's patches (standard-library support enforced,
# every "&" escaped, two security fixes). apt-get verifies the package against the archive's signed
# index and dpkg-source applies the patches. Nothing fetched here is ever committed.
set -euo pipefail

dest=${1:?usage: fetch_tinyxml_source.sh DEST}
mkdir -p "$dest"
dest=$(cd "$dest" && pwd)
existing=$(find "$dest" -maxdepth 2 -name tinyxml.h -path '*tinyxml-*' -printf '%h\n' | head -n 1)
if [ -n "$existing" ]; then
  echo "$existing"
  exit 0
fi

if ! command -v dpkg-source >/dev/null; then
  apt-get update -q >&2
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q dpkg-dev >&2
fi

# A private source list: the machine's own archives, as source ("deb-src") entries.
state=$(mktemp -d)
trap 'rm -rf "$state"' EXIT
mkdir -p "$state/lists/partial"
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
    > "$state/private.sources"
  list_option=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$state")
else
  sed -n -e 's/^deb /deb-src /p' /etc/apt/sources.list > "$state/private.list"
  list_option=(-o "Dir::Etc::SourceList=$state/private.list" -o "Dir::Etc::SourceParts=/dev/null")
fi
apt_options=("${list_option[@]}" -o "Dir::State::Lists=$state/lists")

apt-get -q "${apt_options[@]}" update >&2
(cd "$dest" && apt-get -q "${apt_options[@]}" source tinyxml >&2)
find "$dest" -maxdepth 2 -name tinyxml.h -path '*tinyxml-*' -printf '%h\n' | head -n 1
