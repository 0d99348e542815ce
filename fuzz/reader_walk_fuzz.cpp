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

// The same nodes, values, attributes and places, in the same order.
bool SameTree(const TiXmlNode* a, const TiXmlNode* b) {
  for (; a != nullptr && b != nullptr; a = a->NextSibling(), b = b->NextSibling()) {
    if (a->Type() != b->Type() || a->ValueStr() != b->ValueStr() || a->Row() != b->Row() ||
        a->Column() != b->Column()) {
      return false;
    }
    const TiXmlElement* ea = a->ToElement();
    const TiXmlElement* eb = b->ToElement();
    if (ea != nullptr) {
      const TiXmlAttribute* x = ea->FirstAttribute();
      const TiXmlAttribute* y = eb->FirstAttribute();
      for (; x != nullptr && y != nullptr; x = x->Next(), y = y->Next()) {
        if (x->NameTStr() != y->NameTStr() || x->ValueStr() != y->ValueStr() ||
            x->Row() != y->Row() || x->Column() != y->Column()) {
          return false;
        }
      }
      if (x != nullptr || y != nullptr) return false;
    }
    if (!SameTree(a->FirstChild(), b->FirstChild())) return false;
  }
  return a == nullptr && b == nullptr;
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
  if (!SameTree(parsed.FirstChild(), streamed.FirstChild())) __builtin_trap();
  return 0;
}
