// The Windows API as the launcher's Windows files include it: lean, and without the min and max
// macros that would break the standard library's.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace pos_video {

// The system's own text for an error code, on one line.
std::string SystemErrorText(DWORD error);

}  // namespace pos_video
