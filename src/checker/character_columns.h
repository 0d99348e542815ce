// Places in a mapping file as editors and build servers' annotations count them: lines as the XML
// reader counts them, columns in characters, a tab as one and a UTF-8 sequence as one.
//
// TinyXML counts columns its own way: a tab up to the next multiple of four, and a UTF-8 sequence
// as one only after a byte-order mark or a declaration that names UTF-8 (elsewhere each byte is a
// column). Each place it reports is traced back to its byte with its own rules, then counted again.
#pragma once

#include <tinyxml.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "checker/mapping_review.h"

namespace pos_video {

class CharacterColumns {
 public:
  // `document` is what TinyXML parsed from `text` (empty when it parsed nothing). Both must outlive
  // this object.
  CharacterColumns(const std::string& text, const TiXmlDocument& document);

  // The place TinyXML reports as `row` and `column`; a row of 0, no single place, stays as it is.
  TextPosition FromReader(int row, int column) const;
  TextPosition Of(const TiXmlBase& node) const { return FromReader(node.Row(), node.Column()); }
  // The place of text[offset].
  TextPosition AtOffset(std::size_t offset) const;

 private:
  std::size_t ReaderOffset(std::size_t at, int column, int wanted, bool utf8) const;
  int CharacterColumn(std::size_t lineStart, std::size_t offset) const;

  const std::string& text_;
  std::vector<std::size_t> lineStarts_;
  bool utf8FromStart_ = false;  // After a byte-order mark.
  // TinyXML's place of the first declaration, when it names UTF-8 or no encoding: the reader
  // counts UTF-8 sequences from there on.
  std::optional<TextPosition> utf8From_;
};

}  // namespace pos_video
