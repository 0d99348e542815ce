// The command document: tells the client which camera to search, around which time, and where to
// open its window.
#pragma once

#include <cstdint>
#include <string>

#include "launcher/platform.h"
#include "mapping/terminal_mapping.h"

namespace pos_video {

// The document's exact text for one camera and time, lines ending in LF. Written to a file in
// text mode, so the line ends become the platform's own.
std::string PrintCommandDocument(const TerminalMapping& mapping, const LaunchSettings& settings,
                                 std::int64_t searchTime, CursorPosition cursor);

// Writes the document for `terminal` to `path` (a Windows path) with the search window around
// `searchTime` and the client's window at the mouse pointer. Returns true when it was saved.
// Shows a message and returns false when the terminal has no mapping or the file cannot be
// written; any earlier document at `path` is then left exactly as it was.
bool WriteCommandDocument(const std::string& path, std::int32_t terminal, std::int64_t searchTime,
                          const TerminalMappingTable& table, const LaunchSettings& settings,
                          Platform& platform);

}  // namespace pos_video
