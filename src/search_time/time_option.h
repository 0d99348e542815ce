// The time option: lets the audit application place the search around the transaction's time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/platform.h"
#include "base/wall_clock.h"
#include "search_time/wall_clock_text.h"

namespace pos_video {

// Reads the time the command-line text's time option gives, by the rules of ReadWallClockText:
// its text runs from behind the option to the terminal option or the end, and is read without
// its double quotes, wherever the caller put them, and without the blanks around it. Stores none
// when the text has no time option. When the time cannot be read, shows a message naming that
// text and returns false.
bool ReadTimeOption(const std::string& commandLineText, MessageSink& messages,
                    std::optional<WrittenTime>* time);

// The second a wall-clock time of the PC's own zone stands for, or none when the system cannot
// convert it.
std::optional<std::int64_t> LocalTimeSeconds(const WallClock& wallClock);

using LocalTimeConversion = std::optional<std::int64_t> (*)(const WallClock&);

// Stores in `searchTime` the time the command-line text asks for: `currentTime` when it has no
// time option, otherwise the option's time read at the offset it names, or else by
// `localTimeSeconds` as the PC's local time; and in `time`, when given, the option's time as
// written (none without the option). When it cannot be read or converted, shows a message naming
// the text and returns false.
bool ReadSearchTime(const std::string& commandLineText, std::int64_t currentTime,
                    MessageSink& messages, std::int64_t* searchTime,
                    std::optional<WrittenTime>* time = nullptr,
                    LocalTimeConversion localTimeSeconds = LocalTimeSeconds);

}  // namespace pos_video
