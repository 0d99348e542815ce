#!/usr/bin/env python3
"""What tzdata makes of wall-clock times, for the time-zone test to compare with.

    tzdata_oracle.py ZONEINFO

For every zone and link name that ZONEINFO/tzdata.zi lists: random wall times from 1970-01-02 to
2037 (and a few to 3000), and the seconds around each change its TZif file lists. One line each:
the name, the wall time, "|", then the second (UTC) that Python's zoneinfo reads it as with fold=0
(a skipped time at the offset before the change, a repeated one as its first occurrence), and the
offset (seconds east) and abbreviation in force at that second.
"""
import io
import random
import struct
import sys
from datetime import datetime, timedelta, timezone
from zoneinfo import ZoneInfo

FIRST, LAST = datetime(1970, 1, 2), datetime(3000, 12, 30, 23, 59, 59)
EPOCH = datetime(1970, 1, 1)


def changes(data):
    """(UTC second, offset before, offset after) of each change the version 2 block lists."""
    def counts(at):  # isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt
        return struct.unpack(">6l", data[at + 20:at + 44])
    isut, isstd, leap, times, types, chars = counts(0)
    at = 44 + times * 5 + types * 6 + chars + leap * 8 + isstd + isut
    _, _, _, times, types, _ = counts(at)
    at += 44
    seconds = struct.unpack(f">{times}q", data[at:at + times * 8])
    indexes = data[at + times * 8:at + times * 9]
    at += times * 9
    offsets = [struct.unpack(">l", data[at + 6 * i:at + 6 * i + 4])[0] for i in range(types)]
    before = offsets[0]
    for second, index in zip(seconds, indexes):
        yield second, before, offsets[index]
        before = offsets[index]


def main(folder):
    names = [line.split()[1 if line[0] == "Z" else 2]
             for line in open(f"{folder}/tzdata.zi") if line[:2] in ("Z ", "L ")]
    names = [name for name in names if name not in ("Factory", "localtime", "posixrules")]
    chance = random.Random(20070606)
    out = sys.stdout
    for name in names:
        with open(f"{folder}/{name}", "rb") as file:
            data = file.read()
        zone = ZoneInfo.from_file(io.BytesIO(data), key=name)
        walls = [FIRST + timedelta(seconds=chance.randrange(68 * 365 * 86400)) for _ in range(150)]
        walls += [FIRST + timedelta(days=chance.randrange(376000)) for _ in range(10)]
        for second, before, after in changes(data):
            for offset in (before, after):
                for step in (-1, 0, 1):
                    walls.append(EPOCH + timedelta(seconds=second + offset + step))
        for wall in walls:
            if not FIRST <= wall <= LAST:
                continue
            utc = int(wall.replace(tzinfo=zone).timestamp())
            local = datetime.fromtimestamp(utc, timezone.utc).astimezone(zone)
            out.write(f"{name} {wall:%Y %m %d %H %M %S} | {utc} "
                      f"{int(local.utcoffset().total_seconds())} {local.tzname()}\n")


main(sys.argv[1])
