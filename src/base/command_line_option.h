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

// The text behind the program's name in a whole command line, cut as mingw-w64's runtime cuts
// WinMain's: each double quote toggles a flag; characters are skipped while they are above a space
// or the flag is set; then every character at or below a space is skipped. The bytes of a UTF-8
// character beyond ASCII are all above a space, as the character is.
std::string TextAfterProgramName(const std::string& commandLine);

}  // namespace pos_video
