// The time option: lets the audit application place the search around the transaction's time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/platform.h"
#include "base/wall_clock.h"

namespace pos_video {

// Reads the wall-clock time the command-line text's time option gives (blanks behind the option,
// and a double quote before the time, skipped), by the rules of ReadWallClockText. Stores none
// when the text has no time option. When the time cannot be read, shows a message naming its text
// (without the quotes around it) and returns false.
bool ReadTimeOption(const std::string& commandLineText, MessageSink& messages,
                    std::optional<WallClock>* wallClock);

// The second a wall-clock time of the PC's own zone stands for, or none when the system cannot
// convert it.
std::optional<std::int64_t> LocalTimeSeconds(const WallClock& wallClock);

// Stores in `searchTime` the time the command-line text asks for: `currentTime` when it has no
// time option, otherwise the option's time read as the PC's local time, and in `wallClock`, when
// given, the option's time as written (none without the option). When it cannot be read or
// converted, shows a message naming the text and returns false.
bool ReadSearchTime(const std::string& commandLineText, std::int64_t currentTime,
                    MessageSink& messages, std::int64_t* searchTime,
                    std::optional<WallClock>* wallClock = nullptr);

}  // namespace pos_video
