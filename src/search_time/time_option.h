// The time option: lets the audit application place the search around the transaction's time.
#pragma once

#include <cstdint>
#include <string>

#include "base/platform.h"

namespace pos_video {

// Stores in `searchTime` the time the command-line text asks for: `currentTime` when it has no
// time option, otherwise the local time read from the option's text (blanks behind the option
// skipped). The text must give at least a whole date; a missing or unreadable time of day counts
// from midnight. When the text gives no whole date, or the local time cannot be converted, shows
// a message naming the text and returns false.
bool ReadSearchTime(const std::string& commandLineText, std::int64_t currentTime,
                    MessageSink& messages, std::int64_t* searchTime);

}  // namespace pos_video
