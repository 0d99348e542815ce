// Reading the mapping file the way the launcher does, for tools that must see the same text.
//
// The mapping checker reports line and column numbers and the text the launcher never reads, so
// it needs the very characters the launcher hands to TinyXML: the file read in text mode (CR LF
// arrives as LF on Windows) and the stretch of it that TinyXML's stream reader takes.
#pragma once

#include <cstddef>
#include <string>

namespace pos_video {

// Reads the whole file at `path` in text mode, as the launcher's loader does. On failure returns
// false and stores the system's reason in `failure`.
bool ReadMappingFile(const std::string& path, std::string* text, std::string* failure);

// How many characters of `text` TinyXML's stream reader takes: everything up to the end of the
// first top-level element. What lies beyond is never parsed. Returns 0 for a text that the guard
// refuses, since the reader is never given it.
std::size_t MappingTextReadLength(const std::string& text);

}  // namespace pos_video
