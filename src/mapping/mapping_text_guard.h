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
// reader would handle.
#pragma once

#include <string>

namespace pos_video {

// Deep enough for any sensible mapping file (it needs four levels), shallow enough for the
// reader's recursion on Windows' 1 MB stack.
constexpr int kMaxElementNesting = 128;

// Returns true when the reader can be given `text`. Otherwise returns false and stores in
// `problem` a description for the user.
bool CheckMappingText(const std::string& text, std::string* problem);

}  // namespace pos_video
