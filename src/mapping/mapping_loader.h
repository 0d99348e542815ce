// Loading the mapping file into the terminal table and the launch settings.
#pragma once

#include <string>

#include "base/platform.h"
#include "mapping/terminal_mapping.h"

namespace pos_video {

// Invalid Terms each get a box of their own up to this many; the rest are counted in one more.
constexpr int kMaxInvalidTermMessages = 10;

struct MappingFileReading;  // mapping/mapping_file_reading.h

// Reads the mapping file at `path` through `files`, as much of it as the loader takes.
FileText ReadMappingFile(const std::string& path, FileReader& files);

// Loads `file`, the mapping file at `path` as ReadMappingFile read it (or could not), into `table`
// and `settings`. Returns true when at least one terminal was stored. Problems are shown through
// `messages` where they are found; a file whose first element is not TermToInput, or whose Terms
// are all incomplete, fails without a message and is only recorded. When `reading` is given, it
// receives how the file was read.
bool LoadMappingText(const std::string& path, FileText file, MessageSink& messages,
                     TerminalMappingTable* table, LaunchSettings* settings,
                     MappingFileReading* reading = nullptr);

// ReadMappingFile, then LoadMappingText: the launcher's one load.
bool LoadTerminalMappings(const std::string& path, FileReader& files, MessageSink& messages,
                          TerminalMappingTable* table, LaunchSettings* settings,
                          MappingFileReading* reading = nullptr);

}  // namespace pos_video
