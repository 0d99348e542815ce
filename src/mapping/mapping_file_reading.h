// Reading the mapping file the way the launcher does, for tools that must see the same text.
//
// The mapping checker reports line and column numbers and the text the launcher never reads, so
// it needs the very characters the launcher hands to TinyXML: the file read in text mode (CR LF
// arrives as LF on Windows). ParseMappingText tells how much of them the stream reader takes.
#pragma once

#include <string>

namespace pos_video {

// Reads the whole file at `path` in text mode, as the launcher's loader does. On failure returns
// false and stores the system's reason in `failure`.
bool ReadMappingFile(const std::string& path, std::string* text, std::string* failure);

}  // namespace pos_video
