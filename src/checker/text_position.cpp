#include "checker/text_position.h"

namespace pos_video {
namespace {

constexpr int kTabSize = 4;  // TinyXML's default.

}  // namespace

TextPosition PositionInText(const std::string& text, std::size_t offset) {
  int row = 0;
  int column = 0;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      ++row;
      column = 0;
      const char pair = c == '\r' ? '\n' : '\r';
      if (i + 1 < offset && text[i + 1] == pair) ++i;
    } else if (c == '\t') {
      column = (column / kTabSize + 1) * kTabSize;
    } else {
      ++column;
    }
  }
  return {row + 1, column + 1};
}

}  // namespace pos_video
