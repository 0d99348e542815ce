#include "base/report_message.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_platform.h"

namespace pos_video {
namespace {

// The text shown for an unusable zone, as the loader words it: 73 bytes besides the two values.
std::string ZoneMessage(const std::string& zone, const std::string& file = "termToInput.xml") {
  testing::FakePlatform sink;
  ReportMessage(sink, MessageKind::kTimeSettingUnusable,
                "TimeZone \"%s\" of Term Number %d in file %s is not a time zone.", zone.c_str(),
                12, file.c_str());
  return sink.messages.at(0);
}

TEST(ReportMessageTest, ALongValueIsShortenedAtACharacterBoundarySoTheSentenceFits) {
  const std::string tail = " of Term Number 12 in file termToInput.xml is not a time zone.\n";
  const struct {
    std::string zone;
    std::string shown;  // The zone as the message shows it.
  } cases[] = {
      {std::string(181, 'a'), std::string(181, 'a')},  // 254 bytes: fits as it is.
      // Shortened, it fits in 254 bytes with its line feed.
      {std::string(182, 'a'), std::string(177, 'a') + "..."},
      // The cut, after 177 bytes, falls before a "ü" (C3 BC), inside it, or inside a "€" (E2 82
      // AC).
      {std::string(177, 'a') + "\xC3\xBCzzzz", std::string(177, 'a') + "..."},
      {std::string(176, 'a') + "\xC3\xBCzzzz", std::string(176, 'a') + "..."},
      {std::string(175, 'a') + "\xE2\x82\xACzzzz", std::string(175, 'a') + "..."},
      // Bytes a code page shows as characters, which look like UTF-8's continuations: at most
      // three more go.
      {std::string(182, '\x80'), std::string(175, '\x80') + "..."},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(ZoneMessage(test.zone), "TimeZone \"" + test.shown + "\"" + tail);
  }
  // Two values share the room: the longer is shortened just enough, the shorter stays whole, and
  // so do the rest of the sentence and the number.
  EXPECT_EQ(ZoneMessage(std::string(300, 'a'), std::string(97, 'b')),
            "TimeZone \"" + std::string(95, 'a') + "...\" of Term Number 12 in file " +
                std::string(97, 'b') + " is not a time zone.\n");
}

TEST(ReportMessageTest, EndsInOneLineFeedAndNeverOutgrowsTheBuffer) {
  testing::FakePlatform sink;
  ReportMessage(sink, MessageKind::kInvalidTerm, "Term %d in %s", 7, "file");
  ReportMessage(sink, MessageKind::kInvalidTerm, "already ends\n");
  ReportMessage(sink, MessageKind::kInvalidTerm, "%s", "");
  ReportMessage(sink, MessageKind::kInvalidTerm, "%s\n", std::string(400, 'x').c_str());
  const std::string longFormat = "%d%%" + std::string(300, 'y');
  ReportMessage(sink, MessageKind::kInvalidTerm, longFormat.c_str(), 7);
  EXPECT_EQ(sink.messages, (std::vector<std::string>{"Term 7 in file\n", "already ends\n", "\n",
                                                     std::string(250, 'x') + "...\n",
                                                     "7%" + std::string(252, 'y') + "\n"}));
}

}  // namespace
}  // namespace pos_video
