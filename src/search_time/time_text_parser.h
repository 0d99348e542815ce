// Reading a date and time written as text into a broken-down time record.
//
// The parser follows a format of conversion directives ("%Y", "%m", ...), whitespace and literal
// characters, with fixed rules of its own that do not depend on the platform or the locale:
// English day and month names, two-digit years read through the window 1969 to 2068, and digit
// limits that follow from each field's range. It writes only the fields that a directive names and
// derives nothing from them; the caller sets every other field. Calls keep no state and allocate
// nothing, so they may run on any thread.
#pragma once

#include <ctime>

namespace pos_video {

// Parses `text` under `format` into `record`. On success returns the position just past the last
// character consumed; text after it is not examined. On failure returns null and rolls nothing
// back: fields written before the failing element keep their new values. A missing text, format
// or record gives null and touches nothing.
const char* ParseTimeText(const char* text, const char* format, std::tm* record);

// Reads one unsigned decimal number between `lower` and `upper` (inclusive) at `*position`. The
// number takes at most as many digits as `upper` has, and stops early once a further digit would
// exceed `upper`. On success stores it in `*destination`, advances `*position` past the digits and
// returns true. Fails without moving when no digit is at the position; a number out of bounds
// fails too, but its digits stay consumed. `*destination` is written only on success.
bool ReadBoundedNumber(const char** position, int* destination, int lower, int upper);

}  // namespace pos_video
