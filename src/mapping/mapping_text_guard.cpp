#include "mapping/mapping_text_guard.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "base/ascii_classes.h"

namespace pos_video {
namespace {

// What the reader does with each construct it meets. Its stream is modelled by a position in the
// text: everything it reads is appended to one growing string, so "the last characters read" are
// simply the characters before the position.
class ReaderWalk {
 public:
  explicit ReaderWalk(const std::string& text) : text_(text) {}

  bool Run(std::string* problem, std::size_t* readLength) {
    WalkDocument();
    if (fault_.empty()) CheckLastCharacter();
    if (fault_.empty()) {
      if (readLength != nullptr) *readLength = pastReader_ ? std::string::npos : position_;
      return true;
    }
    *problem = fault_;
    return false;
  }

 private:
  enum class Node { kNone, kDeclaration, kComment, kCdata, kUnknown, kElement };

  // The reader's own test, isspace, as the C locale the launcher never leaves answers it: the six
  // ASCII blanks. Spelled out, since a call per character of indentation is most of the walk.
  static bool IsSpace(int c) { return c < 0x80 && IsAsciiWhitespace(static_cast<char>(c)); }

  bool Good() const { return fault_.empty() && position_ < text_.size(); }
  int Peek() const { return static_cast<unsigned char>(text_[position_]); }

  // Takes the character at the position; false when it is a NUL, which the reader cannot get
  // past.
  bool Take(int* c) {
    *c = Peek();
    if (*c == 0) {
      fault_ =
          "The file holds a NUL byte; it must be saved as ANSI or UTF-8 "
          "(not as Unicode or UTF-16).";
      return false;
    }
    ++position_;
    return true;
  }

  // Moves the position to the next `stop` (or to the end of the text), as taking each character
  // before it would; false when a NUL comes first, which the reader cannot get past. Two scans of
  // the library's own, since most of a file is text and attribute values the reader only copies.
  bool SkipTo(char stop) {
    const char* begin = text_.data() + position_;
    const std::size_t length = text_.size() - position_;
    // NOLINTNEXTLINE(bugprone-not-null-terminated-result): bytes searched, not a string copied.
    const void* found = std::memchr(begin, stop, length);
    const std::size_t span = found != nullptr
                                 ? static_cast<std::size_t>(static_cast<const char*>(found) - begin)
                                 : length;
    const void* nul = std::memchr(begin, '\0', span);
    if (nul != nullptr) {
      position_ += static_cast<std::size_t>(static_cast<const char*>(nul) - begin);
      int c = 0;
      return Take(&c);
    }
    position_ += span;
    return true;
  }

  bool EndsWith(const char* tail) const {
    const std::size_t length = std::strlen(tail);
    return position_ >= length && text_.compare(position_ - length, length, tail) == 0;
  }

  // The length of the character a byte starts when the parser reads UTF-8 (TinyXML's own table:
  // every byte that cannot start a longer character counts as one).
  static std::size_t Utf8Length(int lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 1;
  }

  // The parser steps over a UTF-8 character by the length its first byte announces, even when
  // the text ends sooner, and then reads on past the end of its buffer. Only a character cut
  // short by the end of the text the reader took can do that: anywhere else the bytes that follow
  // are there to be stepped over. A file read in the system's code page steps one byte at a time,
  // so its last bytes may be anything.
  void CheckLastCharacter() {
    if (!utf8_) return;
    for (std::size_t back = 1; back <= 3 && back <= position_; ++back) {
      const int byte = static_cast<unsigned char>(text_[position_ - back]);
      if (Utf8Length(byte) > back) {
        fault_ = "The text ends in the middle of a UTF-8 character.";
        return;
      }
    }
  }

  // The parser reads UTF-8 after a byte-order mark, or after a first declaration that names
  // UTF-8 or no encoding; without either, the system's code page, one byte a character.
  void WalkDocument() {
    if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) utf8_ = true;
    if (!SkipTo('<')) return;
    while (Good()) {
      const std::size_t start = position_;
      if (!SkipTo('>') || !Good()) return;
      const Node node = Identify(start);
      if (node == Node::kNone) return;
      WalkNode(node, start, 1);
      if (node == Node::kElement) return;  // The first top-level element is all it reads.
      // Which encoding a declaration names is TinyXML's own reading of it; any declaration
      // counts as UTF-8 here, where a character cut short does harm.
      if (node == Node::kDeclaration) utf8_ = true;
    }
  }

  // Classifies a tag by its opening characters, as the reader does, except that it also steps
  // over a byte-order mark where the reader stops at one: from there on the walk reads past the
  // reader, and says so (its refusals on such files are kept as they have always been).
  Node Identify(std::size_t start) {
    std::size_t p = start;
    const auto byte = [&](std::size_t at) {
      return at < position_ ? static_cast<unsigned char>(text_[at]) : 0;
    };
    for (;;) {
      if (byte(p) == 0xEF &&
          ((byte(p + 1) == 0xBB && byte(p + 2) == 0xBF) ||
           (byte(p + 1) == 0xBF && (byte(p + 2) == 0xBE || byte(p + 2) == 0xBF)))) {
        p += 3;
        pastReader_ = true;
      } else if (IsSpace(byte(p))) {
        ++p;
      } else {
        break;
      }
    }
    if (byte(p) != '<') return Node::kNone;
    const auto startsWith = [&](const char* head, bool ignoreCase) {
      for (std::size_t i = 0; head[i] != '\0'; ++i) {
        int have = byte(p + i);
        int want = static_cast<unsigned char>(head[i]);
        if (ignoreCase) {
          have = static_cast<unsigned char>(LowerAscii(static_cast<char>(have)));
          want = static_cast<unsigned char>(LowerAscii(static_cast<char>(want)));
        }
        if (have == 0 || have != want) return false;
      }
      return true;
    };
    if (startsWith("<?xml", true)) return Node::kDeclaration;
    if (startsWith("<!--", false)) return Node::kComment;
    if (startsWith("<![CDATA[", false)) return Node::kCdata;
    if (startsWith("<!", false)) return Node::kUnknown;
    const int next = byte(p + 1);
    if (next >= 127 || IsAsciiLetter(static_cast<char>(next)) || next == '_') return Node::kElement;
    return Node::kUnknown;
  }

  void WalkNode(Node node, std::size_t start, int depth) {
    switch (node) {
      case Node::kElement:
        WalkElement(start, depth);
        return;
      case Node::kComment:
        WalkUntil([this] { return EndsWith("-->"); });
        return;
      case Node::kCdata:
        WalkCdata();
        return;
      case Node::kDeclaration:
      case Node::kUnknown:
        WalkUntil([] { return true; });
        return;
      case Node::kNone:
        return;
    }
  }

  // Reads up to and including a '>' after which `done` holds.
  template <typename Done>
  void WalkUntil(Done done) {
    int c = 0;
    while (Good()) {
      // Characters other than '>' end nothing: they are skipped in one step.
      if (Peek() != '>' && !SkipTo('>')) return;
      if (!Good() || !Take(&c)) return;
      if (done()) return;
    }
  }

  void WalkCdata() {
    WalkUntil([this] { return EndsWith("]]>"); });
  }

  void WalkText() { SkipTo('<'); }

  // `start` is where the element's opening tag begins.
  void WalkElement(std::size_t start, int depth) {
    if (depth > kMaxElementNesting) {
      fault_ =
          "Elements are nested more than " + std::to_string(kMaxElementNesting) + " levels deep.";
      return;
    }
    if (++elements_ > kMaxElements) {
      fault_ = "The file holds more than " + std::to_string(kMaxElements) + " elements.";
      return;
    }
    int c = 0;
    // The rest of the opening tag, its '>' included.
    if (!SkipTo('>') || !Good()) return;
    // Each attribute has its '=' (one in a value counts too, which only errs on the safe side).
    if (std::count(text_.begin() + static_cast<std::ptrdiff_t>(start),
                   text_.begin() + static_cast<std::ptrdiff_t>(position_),
                   '=') > kMaxAttributesPerElement) {
      fault_ =
          "An element has more than " + std::to_string(kMaxAttributesPerElement) + " attributes.";
      return;
    }
    if (!Take(&c)) return;
    if (position_ < 3 || text_[position_ - 1] != '>' || EndsWith("/>")) return;

    for (;;) {
      while (Good() && IsSpace(Peek())) ++position_;
      if (Good() && Peek() != '<') {
        WalkText();
        continue;
      }
      if (!Good()) return;

      // The reader takes the tag up to its '>' (left for the node to take), or up to and including
      // a "<![CDATA[" before it, where a CDATA section begins.
      const std::size_t start = position_;
      std::size_t stop = std::min(text_.find('>', start), text_.size());
      const std::size_t cdata =
          std::string_view(text_).substr(start, stop - start).find("<![CDATA[");
      if (cdata != std::string_view::npos) stop = start + cdata + 9;
      const void* nul = std::memchr(text_.data() + start, '\0', stop - start);
      if (nul != nullptr) {
        position_ = static_cast<std::size_t>(static_cast<const char*>(nul) - text_.data());
        Take(&c);
        return;
      }
      position_ = stop;
      // A tag is a closing one when its first character but '<' and blanks is '/'.
      std::size_t first = start;
      while (first < stop &&
             (text_[first] == '<' || IsSpace(static_cast<unsigned char>(text_[first])))) {
        ++first;
      }
      const bool closingTag = first < stop && text_[first] == '/';
      if (cdata != std::string_view::npos && closingTag) {
        fault_ = "A closing tag holds \"<![CDATA[\".";
        return;
      }
      if (!Good()) return;
      if (closingTag) {
        if (Good()) Take(&c);  // Its '>'.
        return;
      }
      const Node child = Identify(start);
      if (child == Node::kNone) return;
      WalkNode(child, start, depth + 1);
    }
  }

  const std::string& text_;
  std::size_t position_ = 0;
  std::string fault_;  // Empty until the walk finds a reason to refuse the text.
  long elements_ = 0;
  bool utf8_ = false;
  bool pastReader_ = false;  // Set once the walk has stepped over a mark the reader stops at.
};

}  // namespace

// The limit is told in whole MiB.
static_assert(kMaxMappingFileBytes % (1u << 20) == 0);

bool CheckMappingText(const std::string& text, std::string* problem, std::size_t* readLength) {
  if (text.size() > kMaxMappingFileBytes) {
    *problem = "The file is larger than " + std::to_string(kMaxMappingFileBytes >> 20) + " MiB.";
    return false;
  }
  return ReaderWalk(text).Run(problem, readLength);
}

}  // namespace pos_video
