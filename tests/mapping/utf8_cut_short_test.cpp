// Regression: a UTF-8 character cut short at the end of the text TinyXML's stream reader takes
// sent the parser reading past the end of its buffer.
//
// In UTF-8 mode (a byte-order mark, or a declaration naming UTF-8 or no encoding) the parser
// steps over a character by the length its first byte announces, even past the text's end. The
// fuzzer met it as a heap-buffer-overflow when the text filled the reader's 8000-byte buffer
// exactly; shorter texts read stale bytes of the same buffer unseen. The guard now refuses such a
// text, and only such a text: the same bytes anywhere else are stepped over as before.
#include <gtest/gtest.h>

#include <string>

#include "mapping/mapping_loader.h"
#include "support/fake_platform.h"

namespace pos_video {
namespace {

constexpr char kCutShort[] =
    "Cmd line configuration document XML error: The text ends in the middle of a UTF-8 "
    "character.\n";
constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";
constexpr char kTerm[] =
    "<Term Number=\"4\"><System Name=\"S\"><Input Name=\"I\" /></System></Term>";

struct Loaded {
  bool result = false;
  TerminalMappingTable table;
  std::vector<std::string> messages;
};

Loaded Load(const std::string& text) {
  testing::FakePlatform platform("/nonexistent");
  LaunchSettings settings;
  Loaded loaded;
  loaded.result =
      LoadTerminalMappingsFromText(text, "termToInput.xml", loaded.table, settings, platform);
  loaded.messages = platform.messages;
  return loaded;
}

// The fault in its plainest form: an unterminated attribute value ending in a four-byte lead,
// padded so that the reader's text fills its 8000-byte buffer exactly.
std::string FillsTheReadersBuffer() {
  std::string text = std::string(kDeclaration) + "<TermToInput Width=\"";
  text.append(8000 - text.size() - 1, 'x');
  return text + "\xF0";
}

TEST(Utf8CutShortTest, TextEndingInsideACharacterIsRefused) {
  const std::string cases[] = {
      FillsTheReadersBuffer(),
      // What the two long fuzz runs found, one through the loader and one through the whole run.
      std::string(
          "<?xml 2v><a>\xEF\xBB\xBF<?xml me=\"s "
          "Na>\xEF>a><>\xEF>a>0<a><a>\xEF\xBB\xBF<?xn/"
          "ut>\xEF<a><a><a>\xEFiocoding<\"\xAB\xAB\xB9\xA0=8\" >\xEF>a><>\xEF\x03\xD3\xC1\x9E\x9E"
          "F\xEF\x9A\xBF<?xml versn/ut>\xEF<a><YYYYYYYut>\xEF\n"),
      std::string(
          "<?xml vers.1\" ?\xEF\xEF\xEF\xEF\xEF\xEF\xEF\xEF\"><Sm>st=\"-21824m<>Ter\" "
          "Nz41824m<>T\xF6"
          "er2147-T\x82"
          "7z41824m<<>Ter70 Nu\x82"
          "berm<>Ter\" Nu14747373\xCC"
          "647-m<>Ter21474\x82\x82\x82\x82\x82\x82\x82>T8-10737z41823m<>Ter32 "
          "Numberm<>Ter>T8-\xCF\xCF\xC8\xC4\xEF\xEF\xEF\xEF\xEF\xC8\x10\x10P\xEF\xEF\xEF\xEF"),
      std::string(kDeclaration) + "<TermToInput Width=\"\xF0",
      "\xEF\xBB\xBF<TermToInput>" + std::string(kTerm) + "\xE2\x82",
      // The element is complete, but its last character would take four bytes from three.
      std::string(kDeclaration) + "<TermToInput Width=\"\xF0/>",
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(text.substr(0, 80));
    const Loaded loaded = Load(text);
    EXPECT_FALSE(loaded.result);
    EXPECT_EQ(loaded.messages, std::vector<std::string>{kCutShort});
  }
}

TEST(Utf8CutShortTest, TheSameBytesElsewhereLoadAsBefore) {
  struct Case {
    std::string text;
    std::string systemName;
  };
  const std::string name = "<Term Number=\"4\"><System Name=\"";
  const std::string rest = "\"><Input Name=\"I\" /></System></Term>";
  const Case cases[] = {
      // A lead byte with enough text behind it takes its followers along, as it always did.
      {std::string(kDeclaration) + "<TermToInput>" + name + "\xF0" + "abc" + rest +
           "</TermToInput>",
       "\xF0"
       "abc"},
      {std::string(kDeclaration) + "<TermToInput>" + name + "Caf\xC3\xA9" + rest + "</TermToInput>",
       "Caf\xC3\xA9"},
      // After the first element nothing is read at all.
      {std::string(kDeclaration) + "<TermToInput>" + name + "S" + rest + "</TermToInput>\xF0", "S"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Loaded loaded = Load(c.text);
    EXPECT_TRUE(loaded.result);
    EXPECT_TRUE(loaded.messages.empty());
    ASSERT_EQ(loaded.table.count(4), 1u);
    EXPECT_EQ(loaded.table.at(4).systemName, c.systemName);
  }
}

}  // namespace
}  // namespace pos_video
