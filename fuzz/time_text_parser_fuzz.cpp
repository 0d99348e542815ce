// Feeds the time text parser arbitrary formats and texts. The input up to its first NUL byte is
// the format, the rest is the text; each is copied into a buffer of exactly its own length plus
// the terminator, so that reading past the end of either is caught.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>

#include "search_time/time_text_parser.h"

namespace {

std::unique_ptr<char[]> TerminatedCopy(const char* begin, std::size_t size) {
  std::unique_ptr<char[]> copy(new char[size + 1]);
  std::memcpy(copy.get(), begin, size);
  copy[size] = '\0';
  return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const char* split = static_cast<const char*>(std::memchr(bytes, '\0', size));
  const std::size_t format_size = split != nullptr ? static_cast<std::size_t>(split - bytes) : size;
  const std::size_t text_size = split != nullptr ? size - format_size - 1 : 0;
  const auto format = TerminatedCopy(bytes, format_size);
  const auto text = TerminatedCopy(bytes + size - text_size, text_size);

  std::tm record{};
  const char* end = pos_video::ParseTimeText(text.get(), format.get(), &record);
  // The result must lie within the text.
  if (end != nullptr && (end < text.get() || end > text.get() + std::strlen(text.get()))) {
    __builtin_trap();
  }

  // The widest bounds a caller can give: the value must never wrap on its way past them.
  const char* position = text.get();
  int value = 0;
  if (pos_video::ReadBoundedNumber(&position, &value, 0, INT_MAX) && value < 0) __builtin_trap();
  if (position - text.get() > 10) __builtin_trap();
  return 0;
}
