#include "launcher/report_message.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_platform.h"

namespace pos_video {
namespace {

TEST(ReportMessageTest, EveryMessageEndsInExactlyOneLineFeed) {
  testing::FakePlatform platform("/nonexistent");
  ReportMessage(platform, "Could not open file %s\n", "termToInput.xml");
  ReportMessage(platform, "Cmd line configuration document XML error: %s", "Error document empty.");
  ReportMessage(platform, "%s", "");
  ASSERT_EQ(platform.messages.size(), 3u);
  EXPECT_EQ(platform.messages[0], "Could not open file termToInput.xml\n");
  EXPECT_EQ(platform.messages[1],
            "Cmd line configuration document XML error: Error document empty.\n");
  EXPECT_EQ(platform.messages[2], "\n");
}

TEST(ReportMessageTest, LongTextIsCutToFitTheBufferWithItsLineFeed) {
  testing::FakePlatform platform("/nonexistent");
  const std::string exact(254, 'a');
  const std::string tooLong(1000, 'b');
  ReportMessage(platform, "%s", exact.c_str());
  ReportMessage(platform, "%s", tooLong.c_str());
  ReportMessage(platform, "%s\n", tooLong.c_str());
  ASSERT_EQ(platform.messages.size(), 3u);
  EXPECT_EQ(platform.messages[0], exact + "\n");
  for (std::size_t i = 1; i < 3; ++i) {
    EXPECT_EQ(platform.messages[i].size(), static_cast<std::size_t>(kMessageBufferSize - 1));
    EXPECT_EQ(platform.messages[i].back(), '\n');
  }
}

}  // namespace
}  // namespace pos_video
