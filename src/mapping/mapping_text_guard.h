// A pre-scan of the mapping file's text that keeps TinyXML's stream reader away from the inputs
// that defeat it.
//
// The reader takes the text up to the end of the first top-level element. Three kinds of text
// make it fail in ways the auditor would never see explained: a NUL byte (as in every file saved
// as UTF-16) makes it loop forever; elements nested tens of thousands deep overflow the stack,
// since it recurses once per level; and "<![CDATA[" inside a closing tag trips an assertion that
// aborts the process. A fourth lies in the parser behind the reader: a UTF-8 character cut short
// by the end of the text sends it reading past the end of its buffer. The scan follows the
// reader's own way through the text, so it stops where the reader stops and refuses nothing the
// reader would handle. Beyond that it keeps the size of the file, the number of its elements and
// the attributes of each within limits.
#pragma once

#include <cstddef>
#include <string>

namespace pos_video {

// Deep enough for any sensible mapping file (it needs four levels), shallow enough for the
// reader's recursion on Windows' 1 MB stack.
constexpr int kMaxElementNesting = 128;

// Limits that keep every answer within two seconds and well within a gigabyte, whatever the file
// holds, while 100,000 terminals of the usual shape still fit (3 elements and about 150 bytes
// each). TinyXML's tree takes about 200 bytes an element and 100 an attribute, and it compares
// each new attribute of an element with all the earlier ones; a mapping file needs at most four.
// Measured in bench/mapping_limits_bench.cpp and recorded in docs/reliability.md.
constexpr std::size_t kMaxMappingFileBytes = 20u << 20;
constexpr long kMaxElements = 1000000;
constexpr long kMaxAttributesPerElement = 64;

// Returns true when the reader can be given `text`, and stores in `readLength`, when given, how
// many of its characters the reader takes: the scan stops where the reader stops, so the text up
// to there is what the reader would hand to TinyXML's parser. The one exception is a byte-order
// mark before a top-level tag, where the reader stops and the scan reads on: `readLength` is then
// std::string::npos. Otherwise returns false and stores in `problem` a description for the user.
bool CheckMappingText(const std::string& text, std::string* problem,
                      std::size_t* readLength = nullptr);

}  // namespace pos_video
