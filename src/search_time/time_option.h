// The time option: lets the audit application place the search around the transaction's time.
#pragma once

#include <cstdint>
#include <string>

namespace pos_video {

// Returns the search time that the command-line text asks for: `currentTime` when it has no time
// option, otherwise the local time read from the option's text (-1 when that cannot be had).
std::int64_t ReadSearchTime(const std::string& commandLineText, std::int64_t currentTime);

}  // namespace pos_video
