#!/usr/bin/env python3
"""What tzdata makes of wall-clock times, for the time-zone test to compare with.

    tzdata_oracle.py ZONEINFO

For every zone and link name that ZONEINFO/tzdata.zi lists: random wall times from 1970-01-02 to
2037 (and a few to 3000), and the seconds around each change of offset or abbreviation up to 2090.
One line each: the name, the wall time, "|", then the second (UTC) that Python's zoneinfo reads it
as with fold=0 (a skipped time at the offset before the change, a repeated one as its first
occurrence), and the offset (seconds east) and abbreviation in force at that second.

Every answer is zoneinfo's own: the changes too are found by asking it, week by week, and narrowed
down to their second. None of the files is read here, so a misreading of them by the table's
generator cannot be shared. (Two changes that undo each other within a week are not looked for.)
"""
import random
import sys
import zoneinfo
from datetime import datetime, timedelta, timezone

FIRST, LAST = datetime(1970, 1, 2), datetime(3000, 12, 30, 23, 59, 59)
EPOCH = datetime(1970, 1, 1)
WEEK, SCAN_END = 7 * 86400, int((datetime(2090, 1, 1) - EPOCH).total_seconds())


def state(zone, second):
    """The offset (seconds east), abbreviation and daylight saving in force at a UTC second."""
    local = datetime.fromtimestamp(second, zone)
    return int(local.utcoffset().total_seconds()), local.tzname(), local.dst()


def changes(zone):
    """(UTC second, offset before, offset after) of each change from 1970 to 2090."""
    second, now = 0, state(zone, 0)
    while second < SCAN_END:
        low, high = second, second + WEEK
        if state(zone, high) == now:
            second = high
            continue
        while high - low > 1:  # The change is after low and at or before high.
            middle = (low + high) // 2
            low, high = (middle, high) if state(zone, middle) == now else (low, middle)
        after = state(zone, high)
        yield high, now[0], after[0]
        second, now = high, after


def main(folder):
    zoneinfo.reset_tzpath([folder])
    # Each name's zone ("Z NAME ..." or "L ZONE NAME"), so that a zone's changes are found once.
    lines = [line.split() for line in open(f"{folder}/tzdata.zi") if line[:2] in ("Z ", "L ")]
    targets = {words[2] if words[0] == "L" else words[1]: words[1] for words in lines}
    names = [name for name in targets if name not in ("Factory", "localtime", "posixrules")]
    found = {}
    chance = random.Random(20070606)
    for name in names:
        zone = zoneinfo.ZoneInfo(name)
        if targets[name] not in found:
            found[targets[name]] = list(changes(zoneinfo.ZoneInfo(targets[name])))
        walls = [FIRST + timedelta(seconds=chance.randrange(68 * 365 * 86400)) for _ in range(150)]
        walls += [FIRST + timedelta(days=chance.randrange(376000)) for _ in range(10)]
        for second, before, after in found[targets[name]]:
            for offset in (before, after):
                for step in (-1, 0, 1):
                    walls.append(EPOCH + timedelta(seconds=second + offset + step))
        for wall in walls:
            if not FIRST <= wall <= LAST:
                continue
            utc = int(wall.replace(tzinfo=zone).timestamp())
            local = datetime.fromtimestamp(utc, timezone.utc).astimezone(zone)
            sys.stdout.write(f"{name} {wall:%Y %m %d %H %M %S} | {utc} "
                      f"{int(local.utcoffset().total_seconds())} {local.tzname()}\n")


main(sys.argv[1])
