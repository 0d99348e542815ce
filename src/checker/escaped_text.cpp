#include "checker/escaped_text.h"

namespace pos_video {

std::string Escaped(const std::string& text) {
  static const char kHexDigits[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\r') {
      escaped += "\\r";
    } else if (c == '\t') {
      escaped += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      escaped += {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string Quoted(const std::string& text) { return "\"" + Escaped(text) + "\""; }

}  // namespace pos_video
