#include "base/report_message.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace pos_video {
namespace {

// The longest text a message holds before its line feed: the buffer less the line feed and NUL.
constexpr std::size_t kMaxTextBytes = kMessageBufferSize - 2;
// A message whose values had to be shortened fits in 254 bytes with its line feed.
constexpr std::size_t kShortenedTextBytes = kMaxTextBytes - 1;
constexpr char kEllipsis[] = "...";
constexpr std::size_t kEllipsisBytes = sizeof kEllipsis - 1;

// A formatted message in pieces: the format's own text, and the value each conversion put in.
struct Piece {
  std::string text;
  bool value = false;
};

std::string Formatted(const char* format, va_list arguments) {
  va_list measuring;
  va_copy(measuring, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, measuring);
  va_end(measuring);
  if (length < 0) return "";
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, arguments);
  text.pop_back();
  return text;
}

std::string FormattedOne(const char* conversion, ...) {
  va_list arguments;
  va_start(arguments, conversion);
  std::string text = Formatted(conversion, arguments);
  va_end(arguments);
  return text;
}

// The message in pieces, each conversion formatted on its own; none for a conversion other than
// those the messages use (s, and d, i, u, x or c of an int, with flags, width and precision),
// which could not be read off the arguments safely.
std::optional<std::vector<Piece>> Pieces(const char* format, va_list arguments) {
  std::vector<Piece> pieces(1);
  for (const char* at = format; *at != '\0'; ++at) {
    if (*at != '%' || at[1] == '%') {
      pieces.back().text += *at;
      if (*at == '%') ++at;
      continue;
    }
    const char* start = at++;
    at += std::strspn(at, "-+ #0");
    at += std::strspn(at, "0123456789");
    if (*at == '.') at += 1 + std::strspn(at + 1, "0123456789");
    const std::string conversion(start, at + 1);
    std::string text;
    // NOLINTNEXTLINE(bugprone-branch-clone): the two branches take different types off the list.
    if (*at == 's') {
      text = FormattedOne(conversion.c_str(), va_arg(arguments, const char*));
    } else if (*at != '\0' && std::strchr("diuxc", *at) != nullptr) {
      text = FormattedOne(conversion.c_str(), va_arg(arguments, int));
    } else {
      return std::nullopt;
    }
    // Only text, from the file or the command line, can be long; a number stays whole.
    pieces.push_back({text, *at == 's'});
    pieces.emplace_back();
  }
  return pieces;
}

std::size_t BytesBeforeLineFeed(const std::string& text) {
  return !text.empty() && text.back() == '\n' ? text.size() - 1 : text.size();
}

// Of `text`'s first `limit` bytes, how many end at a character boundary: never inside a UTF-8
// sequence. In a legacy code page a character may look like a sequence's continuation; then at
// most three characters more go.
std::size_t CharacterBoundary(const std::string& text, std::size_t limit) {
  if (limit >= text.size()) return text.size();
  for (int step = 0; step < 3 && limit > 0; ++step) {
    if ((static_cast<unsigned char>(text[limit]) & 0xC0) != 0x80) break;
    --limit;
  }
  return limit;
}

// `value` whole when it has at most `width` bytes; else its beginning and "..." in at most
// `width` bytes (or "..." alone).
std::string Shortened(const std::string& value, std::size_t width) {
  if (value.size() <= width) return value;
  const std::size_t kept = width > kEllipsisBytes ? width - kEllipsisBytes : 0;
  return value.substr(0, CharacterBoundary(value, kept)) + kEllipsis;
}

// The message with every value longer than the widest width that lets it fit shortened to that
// width: the sentence stays whole, and each value keeps as much of its beginning as the others
// leave room for.
std::string Fitted(const std::vector<Piece>& pieces) {
  for (std::size_t width = kShortenedTextBytes;; --width) {
    std::string text;
    for (const Piece& piece : pieces)
      text += piece.value ? Shortened(piece.text, width) : piece.text;
    if (BytesBeforeLineFeed(text) <= kShortenedTextBytes || width == 0) return text;
  }
}

std::string MessageText(const char* format, va_list arguments) {
  va_list whole;
  va_copy(whole, arguments);
  std::string text = Formatted(format, whole);
  va_end(whole);
  if (BytesBeforeLineFeed(text) > kMaxTextBytes) {
    if (const auto pieces = Pieces(format, arguments)) text = Fitted(*pieces);
    // The format's own text is too long: the end goes.
    if (BytesBeforeLineFeed(text) > kMaxTextBytes) {
      text.resize(CharacterBoundary(text, kMaxTextBytes));
    }
  }
  if (text.empty() || text.back() != '\n') text += '\n';
  return text;
}

}  // namespace

void ReportMessage(MessageSink& sink, MessageKind kind, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const std::string text = MessageText(format, arguments);
  va_end(arguments);
  sink.ShowMessage(kind, text);
}

}  // namespace pos_video
