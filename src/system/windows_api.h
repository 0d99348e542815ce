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
// After windows.h, which it needs, and left out by WIN32_LEAN_AND_MEAN: CommandLineToArgvW.
#include <shellapi.h>

#include <optional>
#include <string>

namespace pos_video {

// The system's own text for an error code, on one line.
std::string SystemErrorText(DWORD error);

// `text` decoded as UTF-8, for the wide (W) functions, where it is valid UTF-8 and holds a byte
// above 127: a file saved as UTF-8 wrote it. None for any other text, which the ANSI (A)
// functions read in the PC's code page as they always did; text in such a code page is
// practically never valid UTF-8.
std::optional<std::wstring> WideFromUtf8(const std::string& text);

// `text` in UTF-8; none when it holds a lone surrogate, which UTF-8 cannot hold.
std::optional<std::string> Utf8FromWide(const std::wstring& text);

}  // namespace pos_video
