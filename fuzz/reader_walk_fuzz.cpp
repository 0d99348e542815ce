// Where the guard's walk says it stops where TinyXML's stream reader stops, it does, and parsing
// the text up to there gives the very document the stream reader gives: the loader relies on both
// to parse the text in place instead of through a stream.
#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <istream>
#include <streambuf>
#include <string>

#include "mapping/mapping_text_guard.h"
#include "mapping/text_stream_buffer.h"

namespace {

using pos_video::TextStreamBuffer;

// Every node's type, value and place, with its attributes' names, values and places, in document
// order; each text with its length, so that no two trees read the same.
std::string Described(const TiXmlNode* node) {
  std::string described;
  const auto add = [&described](const std::string& text, int row, int column) {
    described += std::to_string(text.size()) + ":" + text + "@" + std::to_string(row) + "," +
                 std::to_string(column) + ";";
  };
  for (; node != nullptr; node = node->NextSibling()) {
    described += std::to_string(node->Type());
    add(node->ValueStr(), node->Row(), node->Column());
    if (const TiXmlElement* element = node->ToElement()) {
      for (const TiXmlAttribute* a = element->FirstAttribute(); a != nullptr; a = a->Next()) {
        add(a->NameTStr() + "=" + a->ValueStr(), a->Row(), a->Column());
      }
    }
    described += "{" + Described(node->FirstChild()) + "}";
  }
  return described;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string problem;
  std::size_t readLength = 0;
  if (!pos_video::CheckMappingText(text, &problem, &readLength)) return 0;
  // Past a byte-order mark the walk reads on where the reader stops; the loader streams then.
  if (readLength == std::string::npos) return 0;

  TextStreamBuffer buffer(text);
  std::istream stream(&buffer);
  TiXmlDocument streamed;
  stream >> streamed;
  if (buffer.Taken() != readLength) __builtin_trap();

  const std::string prefix = text.substr(0, readLength);
  TiXmlDocument parsed;
  parsed.Parse(prefix.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
  if (parsed.Error() != streamed.Error() || parsed.ErrorId() != streamed.ErrorId() ||
      parsed.ErrorRow() != streamed.ErrorRow() || parsed.ErrorCol() != streamed.ErrorCol() ||
      std::string(parsed.ErrorDesc()) != streamed.ErrorDesc()) {
    __builtin_trap();
  }
  if (Described(parsed.FirstChild()) != Described(streamed.FirstChild())) __builtin_trap();
  return 0;
}
