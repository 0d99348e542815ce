// Finding the launcher's options in its command-line text.
//
// The audit application hands the launcher one line of text, which is searched as a whole, never
// split into arguments. An option letter may be written four ways, tried in a fixed order: "-x",
// "-X", "/x", "/X". The first form of that order that occurs anywhere at or after `from` wins,
// whatever its position relative to the other forms.
#pragma once

#include <cstddef>
#include <string>

namespace pos_video {

// Returns the position of the option's two characters, or std::string::npos when no form of
// `letter` occurs at or after `from`. `letter` is given in lower case.
std::size_t FindOption(const std::string& text, char letter, std::size_t from = 0);

}  // namespace pos_video
