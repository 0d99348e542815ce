#include "command_document/command_document_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_platform.h"

namespace pos_video {
namespace {

constexpr char kPath[] = "C:\\Client\\KvCmdLine.xml";

// The whole document, with the search window of the default settings; each '@' is the next of
// the System's and the Input's attributes.
std::string Document(const std::string& system, const std::string& input) {
  std::string document = R"(<?xml version="1.0" ?>
<KorvaneInit Top="200" Left="100" Width="392" Height="377" Maximize="0" )"
                         R"(ShowNavPanel="0" ShowToolbars="0" FullScreen="0" AllowAccelerators="0">
    <Search Start="1181141420" End="1181141430">
        <System @>
            <Video>
                <Input @ />
            </Video>
        </System>
    </Search>
</KorvaneInit>
)";
  document.replace(document.find('@'), 1, system);
  return document.replace(document.find('@'), 1, input);
}

// The document saved for one terminal's camera, or the messages when none is saved.
std::string Written(const TerminalMapping& mapping, std::int64_t searchTime = 1181141425,
                    LaunchSettings settings = {}, std::int32_t terminal = 4) {
  testing::FakePlatform platform;
  if (!WriteCommandDocument(kPath, terminal, searchTime, {{4, mapping}}, settings, {100, 200},
                            platform, platform)) {
    return platform.files.count(kPath) == 0 ? platform.messages.at(0) : "saved, yet false";
  }
  return platform.messages.empty() ? platform.files.at(kPath) : "saved with a message";
}

TEST(CommandDocumentWriterTest, TheWholeDocumentByteForByte) {
  const std::pair<TerminalMapping, std::string> cases[] = {
      // The name wins over number and device; a device goes only with a number.
      {{"North", "Lane 1", "9", "2"}, Document("Name=\"North\"", "Name=\"Lane 1\"")},
      {{"North", "", "7", "2"}, Document("Name=\"North\"", "Number=\"7\" Device=\"2\"")},
      {{"North", "", "7", ""}, Document("Name=\"North\"", "Number=\"7\"")},
      {{"", "", "", ""}, Document("Name=\"\"", "Number=\"\"")},
      // Text that looks like a character reference stays text: its '&' is escaped.
      {{"A&#x41;C", "", "1", ""}, Document("Name=\"A&amp;#x41;C\"", "Number=\"1\"")},
  };
  for (const auto& [mapping, document] : cases) {
    EXPECT_EQ(Written(mapping), document) << mapping.systemName;
  }
}

}  // namespace
}  // namespace pos_video
