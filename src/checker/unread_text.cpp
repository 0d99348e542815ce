#include "checker/unread_text.h"

#include <cstddef>

#include "checker/text_position.h"

namespace pos_video {
namespace {

constexpr char kWhiteSpace[] = " \t\n\v\f\r";
constexpr std::size_t kExcerptLength = 40;

bool HoldsTermElement(const std::string& text) {
  for (std::size_t at = text.find("<Term"); at != std::string::npos;
       at = text.find("<Term", at + 1)) {
    const std::size_t after = at + 5;
    if (after == text.size() || text[after] == '>' || text[after] == '/' ||
        std::string(kWhiteSpace).find(text[after]) != std::string::npos) {
      return true;
    }
  }
  return false;
}

// Comments after the element are harmless notes; anything else was meant for the launcher.
std::size_t FirstUnreadContent(const std::string& text, std::size_t from) {
  std::size_t at = from;
  for (;;) {
    at = text.find_first_not_of(kWhiteSpace, at);
    if (at == std::string::npos || text.compare(at, 4, "<!--") != 0) return at;
    const std::size_t close = text.find("-->", at + 4);
    if (close == std::string::npos) return at;
    at = close + 3;
  }
}

}  // namespace

std::string Excerpt(const std::string& text) {
  const std::size_t start = text.find_first_not_of(kWhiteSpace);
  if (start == std::string::npos) return "\"\"";
  std::size_t end = text.find_first_of("\r\n", start);
  if (end == std::string::npos) end = text.size();
  std::string line = text.substr(start, end - start);
  const bool more =
      end < text.size() && text.find_first_not_of(kWhiteSpace, end) != std::string::npos;
  if (line.size() > kExcerptLength) {
    line.resize(kExcerptLength);
    line += "...";
  } else if (more) {
    line += " ...";
  }
  return "\"" + line + "\"";
}

void InspectUnreadText(const std::string& text, std::size_t readLength, MappingReport* report) {
  const std::size_t unread = FirstUnreadContent(text, readLength);
  if (unread == std::string::npos) return;
  const std::string tail = text.substr(unread);
  std::string hint;
  if (tail.find("<TermToInput") != std::string::npos) {
    hint = "; a TermToInput here is never read";
  } else if (HoldsTermElement(tail)) {
    hint = "; Terms belong inside TermToInput";
  }
  report->diagnostics.push_back(
      {PositionInText(text, unread), DiagnosticKind::kUnreadText,
       "the launcher stops reading at the end of the first element and never reads this: " +
           Excerpt(tail) + hint});
}

}  // namespace pos_video
