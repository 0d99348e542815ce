// The command document: tells the client which camera to search, around which time, and where to
// open its window.
#pragma once

#include <cstdint>
#include <string>

#include "base/platform.h"
#include "mapping/terminal_mapping.h"

namespace pos_video {

// Saves the document for `terminal` to `path` (a Windows path) with the search window around
// `searchTime` and the client's window at `cursor`. Returns true when it was saved. Shows a
// message and returns false when the terminal has no mapping or the file cannot be saved.
bool WriteCommandDocument(const std::string& path, std::int32_t terminal, std::int64_t searchTime,
                          const TerminalMappingTable& table, const LaunchSettings& settings,
                          CursorPosition cursor, FileSaver& files, MessageSink& messages);

}  // namespace pos_video
