// Reading decimal integers from text that people or other programs wrote.
#pragma once

#include <cstdint>

namespace pos_video {

// Reads a decimal integer the way atoi and sscanf("%d") do: leading whitespace, an optional sign,
// then digits up to the first character that is not one. A value beyond the signed 32-bit range
// saturates at its limit instead of wrapping, so that an oversized terminal number can never turn
// into another terminal's number. Stores 0 and returns false when there are no digits. `end`, when
// given, receives the position just past the digits.
bool ReadSaturatedInteger(const char* text, std::int32_t* value, const char** end = nullptr);

}  // namespace pos_video
