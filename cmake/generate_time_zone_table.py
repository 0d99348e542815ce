#!/usr/bin/env python3
"""Writes the compiled-in time-zone table from the tzdata and CLDR installed on the build host.

    generate_time_zone_table.py ZONEINFO CLDR OUTPUT

Every zone that ZONEINFO/tzdata.zi lists gets, from its TZif file (version 2 data): the local
time in force on 1970-01-01, then each change the file lists since, up to where the POSIX TZ rule
that ends the file gives the same changes from then on, then that rule: what `zic -b slim` keeps,
found here because the slim files of Debian 12's zic lose some changes (Ojinaga's 2022 change to
CST, Gaza's after 2037). Links share their zone's record, and so do zones that agree since 1970.
Besides: every abbreviation those records give a local time, with each offset it stands for (numeric
ones such as "+03" say their own), and the Windows time zone IDs of CLDR/common/supplemental/
windowsZones.xml with the tzdata name each maps to for territory 001.
"""
import os
import re
import struct
import sys
from datetime import date, timedelta

EXCLUDED = {"Factory", "localtime", "posixrules"}  # In tzdata.zi, but no place's time.
NAME = r"(<[-+0-9A-Za-z]+>|[A-Za-z]+)"
DURATION = r"([-+]?[0-9]+(?::[0-9]+){0,2})"
RULE = re.compile(
    f"{NAME}{DURATION}(?:{NAME}{DURATION}?,([^,/]+)(?:/{DURATION})?,([^,/]+)(?:/{DURATION})?)?$")
EPOCH = date(1970, 1, 1)
WINDOWS_ZONE = re.compile(r'<mapZone other="([^"]+)" territory="001" type="([^"]+)"/>')


def seconds(text):
    """'[+-]h[:mm[:ss]]' as signed seconds."""
    parts = [int(part) for part in text.lstrip("+-").split(":")] + [0, 0]
    return (-1 if text.startswith("-") else 1) * (parts[0] * 3600 + parts[1] * 60 + parts[2])


def change_day(rule_date, year):
    """Days since 1970 of a rule's Jn, n or Mm.w.d in `year`."""
    if rule_date[0] == "J":
        day = int(rule_date[1:])
        leap = year % 4 == 0 and (year % 100 != 0 or year % 400 == 0)
        return (date(year, 1, 1) - EPOCH).days + day - 1 + (1 if leap and day >= 60 else 0)
    if rule_date[0] != "M":
        return (date(year, 1, 1) - EPOCH).days + int(rule_date)
    month, week, weekday = (int(part) for part in rule_date[1:].split("."))
    first = date(year, month, 1)
    day = first + timedelta((weekday - first.isoweekday() % 7) % 7 + 7 * (week - 1))
    while day.month != month:
        day -= timedelta(7)
    return (day - EPOCH).days


class Rule:
    """A POSIX TZ rule: the local time (offset east, abbreviation) it gives at a second."""

    def __init__(self, text):
        match = RULE.match(text)
        if not match:
            sys.exit(f"cannot read the POSIX TZ rule {text!r}")
        name, west, dst_name, dst_west, start, start_time, end, end_time = match.groups()
        self.standard = (-seconds(west), name.strip("<>"))
        self.daylight = None
        if dst_name:
            offset = -seconds(dst_west) if dst_west else self.standard[0] + 3600
            self.daylight = (offset, dst_name.strip("<>"))
            self.start = (start, seconds(start_time or "2"))
            self.end = (end, seconds(end_time or "2"))

    def changes(self, first_year, last_year):
        """(second, local time) of its changes in those years; at a tie daylight time goes on."""
        if not self.daylight:
            return []
        events = []
        for year in range(first_year, last_year + 1):
            start = change_day(self.start[0], year) * 86400 + self.start[1] - self.standard[0]
            end = change_day(self.end[0], year) * 86400 + self.end[1] - self.daylight[0]
            events += [(end, 0, self.standard), (start, 1, self.daylight)]
        return [(second, local) for second, _, local in sorted(events)]

    def at(self, second):
        year = (EPOCH + timedelta(seconds=second)).year
        local = self.standard
        for change, then in self.changes(year - 1, year + 1):
            if change <= second:
                local = then
        return local


def read_tzif(path):
    """The version 2 data of a TZif file: [(second, local time)], the type before them, the rule."""
    with open(path, "rb") as file:
        data = file.read()
    if data[:4] != b"TZif" or data[4:5] < b"2":
        sys.exit(f"{path} holds no version 2 data")

    def counts(at):  # isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt
        return struct.unpack(">6l", data[at + 20:at + 44])
    isut, isstd, leap, times, types, chars = counts(0)
    at = 44 + times * 5 + types * 6 + chars + leap * 8 + isstd + isut
    isut, isstd, leap, times, types, chars = counts(at)
    at += 44
    seconds_list = struct.unpack(f">{times}q", data[at:at + times * 8])
    indexes = data[at + times * 8:at + times * 9]
    at += times * 9
    characters = data[at + types * 6:at + types * 6 + chars]
    local_times = []
    for i in range(types):
        offset, _, abbreviation = struct.unpack(">lBB", data[at + 6 * i:at + 6 * i + 6])
        end = characters.index(b"\0", abbreviation)
        local_times.append((offset, characters[abbreviation:end].decode()))
    footer = data[at + types * 6 + chars + leap * 12 + isstd + isut:]
    if footer[:1] != b"\n" or footer[-1:] != b"\n":
        sys.exit(f"{path} ends without a POSIX TZ rule")
    changes = [(second, local_times[index]) for second, index in zip(seconds_list, indexes)]
    return changes, local_times[0], footer[1:-1].decode()


def cut(points, rule, text):
    """How many of `points` (the local time on 1970-01-01, then each change since) to keep: from the
    last one kept on, the rule gives the same local times as the changes that follow it."""
    if rule.at(points[-1][0]) != points[-1][1]:
        sys.exit(f"the rule {text} does not hold after the last change")
    keep = len(points)
    while keep > 1:
        second, local = points[keep - 2]
        following = points[keep - 1][0]
        years = ((EPOCH + timedelta(seconds=second)).year,
                 (EPOCH + timedelta(seconds=following)).year)
        between = [change for change, _ in rule.changes(years[0] - 1, years[1] + 1)
                   if second < change < following and rule.at(change - 1) != rule.at(change)]
        if rule.at(second) != local or between:
            break
        keep -= 1
    return keep


class Texts:
    """Strings laid one after another, each ended by a NUL, and where each starts."""

    def __init__(self):
        self.starts, self.length = {}, 0

    def start(self, text):
        if text not in self.starts:
            self.starts[text] = self.length
            self.length += len(text.encode()) + 1
        return self.starts[text]

    def c_text(self):
        return "".join(f'    "{text}\\0"\n' for text in self.starts)


def read_windows_zones(cldr):
    """The CLDR release, and (Windows ID, tzdata name) for territory 001, sorted by ID."""
    with open(f"{cldr}/common/dtd/ldmlSupplemental.dtd") as dtd:
        release = re.search(r'ATTLIST version cldrVersion CDATA #FIXED "([^"]+)"', dtd.read())
    with open(f"{cldr}/common/supplemental/windowsZones.xml") as mapping:
        pairs = WINDOWS_ZONE.findall(mapping.read())
    if not release or not pairs:
        sys.exit(f"{cldr} holds no CLDR release or no Windows zones for territory 001")
    return release.group(1), sorted(pairs, key=lambda pair: pair[0].encode())


def main(zoneinfo, cldr, output):
    version, zones, links = None, [], {}
    with open(f"{zoneinfo}/tzdata.zi") as listing:
        for line in listing:
            words = line.split()
            if line.startswith("# version "):
                version = words[2]
            elif words[:1] == ["Z"] and words[1] not in EXCLUDED:
                zones.append(words[1])
            elif words[:1] == ["L"] and words[2] not in EXCLUDED:
                links[words[2]] = words[1]
    if not version or not zones:
        sys.exit(f"{zoneinfo}/tzdata.zi lists no version or no zones")

    records, record_of, local_times = {}, {}, {}
    rules, abbreviations, names = Texts(), Texts(), Texts()
    times, types, record_lines = [], [], []
    given = set()  # (offset, abbreviation) of every local time a record gives.
    for zone in zones:
        changes, in_force, rule_text = read_tzif(f"{zoneinfo}/{zone}")
        for second, local in changes:
            if second <= 0:
                in_force = local
        points = [(0, in_force)] + [change for change in changes if change[0] > 0]
        since = points[1:cut(points, Rule(rule_text), rule_text)]
        key = (rule_text, in_force if since else None, tuple(since))
        if key not in records:
            records[key] = len(records)
            for local in [in_force] + [local for _, local in since]:
                local_times.setdefault(local, len(local_times))
            record_lines.append(f"    {{{rules.start(rule_text)}, "
                                f"{local_times[in_force] if since else 0}, {len(since)}, "
                                f"{len(times)}}},  // {zone}\n")
            times += [second for second, _ in since]
            types += [local_times[local] for _, local in since]
            rule = Rule(rule_text)
            given.update([in_force] + [local for _, local in since] + [rule.standard])
            if rule.daylight:
                given.add(rule.daylight)
        record_of[zone] = records[key]
    for name, target in links.items():
        if target not in record_of:
            sys.exit(f"link {name} names {target}, which tzdata.zi does not list as a zone")
        record_of[name] = record_of[target]
    sorted_names = sorted(record_of, key=lambda name: name.encode())
    name_lines = "".join(f"    {{{names.start(name)}, {record_of[name]}}},\n"
                         for name in sorted_names)
    type_lines = "".join(f"    {{{offset}, {abbreviations.start(name)}}},  // {name}\n"
                         for offset, name in local_times)
    given_lines = "".join(f"    {{{abbreviations.start(name)}, {offset}}},  // {name}\n"
                          for name, offset in sorted(((name, offset) for offset, name in given
                                                      if name[0] not in "+-"),
                                                     key=lambda pair: (pair[0].encode(), pair[1])))
    cldr_release, windows = read_windows_zones(cldr)
    windows_names = Texts()
    for _, target in windows:
        if target not in record_of:
            sys.exit(f"CLDR maps a Windows zone to {target}, which tzdata.zi does not list")
    windows_lines = "".join(f"    {{{windows_names.start(other)}, {sorted_names.index(target)}}},"
                            f"  // {target}\n" for other, target in windows)
    if (len(local_times) > 256 or max(times, default=0) >= 2**32
            or max(names.length, rules.length, abbreviations.length, windows_names.length)
            > 65536):
        sys.exit(f"tzdata {version} no longer fits the table's 8-, 16- and 32-bit fields")

    def numbers(values):
        return "".join(f"    {', '.join(map(str, values[i:i + 10]))},\n"
                       for i in range(0, len(values), 10))

    with open(output + ".new", "w") as out:
        out.write(f"""// Generated at build time from tzdata {version} and CLDR {cldr_release} by
// cmake/generate_time_zone_table.py.
#include "time_zone/zone_table.h"

namespace pos_video {{

const char kTimeZoneDataVersion[] = "{version}";
const char kCldrVersion[] = "{cldr_release}";

const char kZoneRuleText[] =
{rules.c_text()};

const char kZoneAbbreviationText[] =
{abbreviations.c_text()};

const ZoneType kZoneTypes[] = {{
{type_lines}}};

// {len(times)} changes.
const std::uint32_t kChangeTimes[] = {{
{numbers(times)}}};

const std::uint8_t kChangeTypes[] = {{
{numbers(types)}}};

const ZoneRecord kZoneRecords[] = {{
{"".join(record_lines)}}};

const char kZoneNameText[] =
{names.c_text()};

const ZoneName kZoneNames[] = {{
{name_lines}}};
const std::size_t kZoneNameCount = sizeof(kZoneNames) / sizeof(kZoneNames[0]);

const AbbreviationOffset kAbbreviationOffsets[] = {{
{given_lines}}};
const std::size_t kAbbreviationOffsetCount =
    sizeof(kAbbreviationOffsets) / sizeof(kAbbreviationOffsets[0]);

const char kWindowsZoneText[] =
{windows_names.c_text()};

const WindowsZoneName kWindowsZoneNames[] = {{
{windows_lines}}};
const std::size_t kWindowsZoneNameCount = sizeof(kWindowsZoneNames) / sizeof(kWindowsZoneNames[0]);

}}  // namespace pos_video
""")
    os.replace(output + ".new", output)


main(*sys.argv[1:4])
