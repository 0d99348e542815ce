// Values and file names as the checker prints them: control characters spelled out, so that each
// finding stays on one line and no value from a file can start a line of its own, where a build
// server would read it as a finding of its own.
#pragma once

#include <string>

namespace pos_video {

// `text` with each byte below 0x20, and 0x7F, written as \n, \r, \t or \xNN (two hex digits);
// every other byte, a backslash included, as it is, so that text without them prints unchanged.
std::string Escaped(const std::string& text);

// `text` escaped and in double quotes, as a value is quoted in what the checker prints. Escaping
// again leaves it as it is, so a finding that quotes a value can be escaped whole.
std::string Quoted(const std::string& text);

}  // namespace pos_video
