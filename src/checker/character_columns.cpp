#include "checker/character_columns.h"

#include <algorithm>

#include "base/ascii_classes.h"

namespace pos_video {
namespace {

constexpr int kReaderTabSize = 4;  // TinyXML's default, which the loader keeps.
const char kByteOrderMark[] = "\xEF\xBB\xBF";

// Whether `encoding` makes TinyXML read UTF-8: none, or one that starts with UTF-8 or UTF8 in
// any case, as its own comparison goes.
bool NamesUtf8(const std::string& encoding) {
  const auto startsWith = [&encoding](const std::string& prefix) {
    return encoding.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), encoding.begin(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
  };
  return encoding.empty() || startsWith("utf-8") || startsWith("utf8");
}

// The length of the well-formed UTF-8 sequence at text[at], or 1 for any other byte.
std::size_t SequenceLength(const std::string& text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead < 0xC2   ? 1
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 1;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
    if (next < 0x80 || next > 0xBF) return 1;
  }
  return length;
}

}  // namespace

CharacterColumns::CharacterColumns(const std::string& text, const TiXmlDocument& document)
    : text_(text), lineStarts_{0} {
  // Line ends as TinyXML reads them: LF, CR, CR LF or LF CR.
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    if (i + 1 < text.size() && text[i + 1] == (text[i] == '\r' ? '\n' : '\r')) ++i;
    lineStarts_.push_back(i + 1);
  }
  utf8FromStart_ = text.compare(0, 3, kByteOrderMark) == 0;
  for (const TiXmlNode* node = document.FirstChild(); node != nullptr; node = node->NextSibling()) {
    if (const TiXmlDeclaration* declaration = node->ToDeclaration()) {
      if (NamesUtf8(declaration->Encoding())) utf8From_ = {node->Row(), node->Column()};
      break;
    }
  }
}

TextPosition CharacterColumns::FromReader(int row, int column) const {
  if (row <= 0 || static_cast<std::size_t>(row) > lineStarts_.size()) return {row, column};
  const std::size_t lineStart = lineStarts_[row - 1];
  std::size_t at = lineStart;
  int readerColumn = 0;
  bool utf8 = utf8FromStart_;
  if (!utf8 && utf8From_ && (row > utf8From_->line || column >= utf8From_->column)) {
    // On the declaration's own line, the reader counted bytes up to the declaration.
    if (row == utf8From_->line) {
      readerColumn = utf8From_->column - 1;
      at = ReaderOffset(at, 0, readerColumn, false);
    }
    utf8 = true;
  }
  return {row, CharacterColumn(lineStart, ReaderOffset(at, readerColumn, column - 1, utf8))};
}

TextPosition CharacterColumns::AtOffset(std::size_t offset) const {
  const auto line = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  return {static_cast<int>(line - lineStarts_.begin()), CharacterColumn(*(line - 1), offset)};
}

// Steps over the line from text_[at], TinyXML's column `column`, as its reader counts, until
// column `wanted`; returns the byte reached.
std::size_t CharacterColumns::ReaderOffset(std::size_t at, int column, int wanted,
                                           bool utf8) const {
  while (column < wanted && at < text_.size() && text_[at] != '\r' && text_[at] != '\n' &&
         text_[at] != '\0') {
    const auto byte = static_cast<unsigned char>(text_[at]);
    if (byte == '\t') {
      column = (column / kReaderTabSize + 1) * kReaderTabSize;
      ++at;
    } else if (!utf8) {
      ++column;
      ++at;
    } else {
      // A sequence is one column, but for three that the reader takes for zero-width spaces.
      const bool zeroWidth = text_.compare(at, 3, kByteOrderMark) == 0 ||
                             text_.compare(at, 3, "\xEF\xBF\xBE") == 0 ||
                             text_.compare(at, 3, "\xEF\xBF\xBF") == 0;
      column += zeroWidth ? 0 : 1;
      at += std::max(1, TiXmlBase::utf8ByteTable[byte]);
    }
  }
  return std::min(at, text_.size());
}

// The column, from 1, of text_[offset] on the line that starts at `lineStart`.
int CharacterColumns::CharacterColumn(std::size_t lineStart, std::size_t offset) const {
  std::size_t at = lineStart == 0 && utf8FromStart_ ? 3 : lineStart;
  int column = 1;
  for (; at < offset && at < text_.size(); at += SequenceLength(text_, at)) ++column;
  return column;
}

}  // namespace pos_video
