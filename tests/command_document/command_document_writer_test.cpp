#include "command_document/command_document_writer.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/scratch_directory.h"

namespace pos_video {
namespace {

constexpr char kDocumentPath[] = "C:\\Client\\KvCmdLine.xml";

std::string Expected(const std::string& searchAttributes, const std::string& cameraLines) {
  return "<?xml version=\"1.0\" ?>\n"
         "<KorvaneInit Top=\"200\" Left=\"100\" Width=\"392\" Height=\"377\" Maximize=\"0\" "
         "ShowNavPanel=\"0\" ShowToolbars=\"0\" FullScreen=\"0\" AllowAccelerators=\"0\">\n"
         "    <Search " +
         searchAttributes + ">\n" + cameraLines +
         "    </Search>\n"
         "</KorvaneInit>\n";
}

std::string Camera(const std::string& systemAttribute, const std::string& inputAttributes) {
  return "        <System " + systemAttribute + ">\n" +
         "            <Video>\n"
         "                <Input " +
         inputAttributes +
         " />\n"
         "            </Video>\n"
         "        </System>\n";
}

const CursorPosition kCursor{100, 200};

TEST(CommandDocumentTest, PrintsTheWholeDocumentByteForByte) {
  struct Case {
    const char* what;
    TerminalMapping mapping;
    std::string expected;
  };
  const std::string search = "Start=\"1181141420\" End=\"1181141430\"";
  const Case cases[] = {
      {"name wins over number and device",
       {"North", "Lane 1", "9", "2"},
       Expected(search, Camera("Name=\"North\"", "Name=\"Lane 1\""))},
      {"number and device when there is no name",
       {"North", "", "7", "2"},
       Expected(search, Camera("Name=\"North\"", "Number=\"7\" Device=\"2\""))},
      {"number alone when there is no device",
       {"North", "", "7", ""},
       Expected(search, Camera("Name=\"North\"", "Number=\"7\""))},
      {"an empty number is still written",
       {"", "", "", ""},
       Expected(search, Camera("Name=\"\"", "Number=\"\""))},
      {"markup characters become entities",
       {"<A & B>", "it's", "", ""},
       Expected(search, Camera("Name=\"&lt;A &amp; B&gt;\"", "Name=\"it&apos;s\""))},
      {"a double quote switches to single quotes",
       {"say \"hi\"", "", "1", ""},
       Expected(search, Camera("Name='say &quot;hi&quot;'", "Number=\"1\""))},
      {"control bytes become character references",
       {"a\tb\x01", "", "1", ""},
       Expected(search, Camera("Name=\"a&#x09;b&#x01;\"", "Number=\"1\""))},
      {"a value that looks like a character reference keeps its ampersand",
       {"A&#x42;C", "", "1", ""},
       Expected(search, Camera("Name=\"A&amp;#x42;C\"", "Number=\"1\""))},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrintCommandDocument(c.mapping, LaunchSettings{}, 1181141425, kCursor), c.expected)
        << c.what;
  }
}

TEST(CommandDocumentTest, ValuesRoundTripThroughTheLibrary) {
  const std::string names[] = {"A&#x42;C", "&amp;", "<\"'>", "tab\there"};
  for (const std::string& name : names) {
    const std::string printed =
        PrintCommandDocument({name, "", "1", ""}, LaunchSettings{}, 0, CursorPosition{});
    TiXmlDocument document;
    document.Parse(printed.c_str());
    const TiXmlElement* system = TiXmlHandle(&document)
                                     .FirstChildElement("KorvaneInit")
                                     .FirstChildElement("Search")
                                     .FirstChildElement("System")
                                     .ToElement();
    ASSERT_NE(system, nullptr) << printed;
    EXPECT_EQ(*system->Attribute(std::string("Name")), name);
  }
}

TEST(CommandDocumentTest, SearchWindowIsComputedIn64Bits) {
  struct Case {
    std::int64_t searchTime;
    LaunchSettings settings;
    const char* attributes;
  };
  const Case cases[] = {
      {-1, {}, "Start=\"-6\" End=\"4\""},
      {1181141425, {392, 377, 60, 5}, "Start=\"1181141365\" End=\"1181141430\""},
      {2147483647, {}, "Start=\"2147483642\" End=\"2147483652\""},  // 2038 no longer wraps.
      {4102444800, {}, "Start=\"4102444795\" End=\"4102444805\""},
      {0, {392, 377, -2147483647 - 1, 2147483647}, "Start=\"2147483648\" End=\"2147483647\""},
  };
  for (const Case& c : cases) {
    const std::string printed =
        PrintCommandDocument({"S", "C", "", ""}, c.settings, c.searchTime, CursorPosition{});
    EXPECT_NE(printed.find(std::string("<Search ") + c.attributes + ">"), std::string::npos)
        << c.attributes << "\n"
        << printed;
  }
}

TEST(CommandDocumentTest, WindowSizeAndPositionComeFromSettingsAndPointer) {
  const std::string printed = PrintCommandDocument({"S", "C", "", ""}, {800, -1, 5, 5}, 0, {-5, 7});
  EXPECT_NE(printed.find("<KorvaneInit Top=\"7\" Left=\"-5\" Width=\"800\" Height=\"-1\" "),
            std::string::npos)
      << printed;
}

TEST(CommandDocumentTest, PrintedBytesAreThoseTheLibrarysOwnSaveWrites) {
  testing::ScratchDirectory scratch;
  const TerminalMapping mapping{"N&S", "", "7", "2"};
  const std::string printed = PrintCommandDocument(mapping, LaunchSettings{}, 99, kCursor);
  TiXmlDocument document;
  document.Parse(printed.c_str());
  const std::string saved = scratch.path() + "/saved.xml";
  ASSERT_TRUE(document.SaveFile(saved.c_str()));
  EXPECT_EQ(testing::ReadFileBytes(saved), printed);
}

class WriteCommandDocumentTest : public ::testing::Test {
 protected:
  std::string DocumentOnDisk() const {
    return testing::ReadFileBytes(platform_.HostPath(kDocumentPath));
  }
  void PlantOldDocument() {
    testing::WriteFileBytes(platform_.HostPath(kDocumentPath), "old document");
  }
  bool Write(std::int32_t terminal) {
    return WriteCommandDocument(kDocumentPath, terminal, 1181141425, table_, LaunchSettings{},
                                platform_);
  }
  std::string ClientFolderListing() const {
    return testing::ListDirectory(platform_.HostPath("C:\\Client"));
  }

  testing::ScratchDirectory scratch_;
  testing::FakePlatform platform_{scratch_.path()};
  TerminalMappingTable table_{{4, {"North", "", "7", "2"}}};
};

TEST_F(WriteCommandDocumentTest, ReplacesTheOldDocumentWithTheNewOne) {
  platform_.cursor = kCursor;
  PlantOldDocument();
  EXPECT_TRUE(Write(4));
  EXPECT_EQ(DocumentOnDisk(), Expected("Start=\"1181141420\" End=\"1181141430\"",
                                       Camera("Name=\"North\"", "Number=\"7\" Device=\"2\"")));
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(ClientFolderListing(), "KvCmdLine.xml\n");  // No temporary file left behind.
}

TEST_F(WriteCommandDocumentTest, UnknownTerminalIsReportedAndTouchesNothing) {
  PlantOldDocument();
  EXPECT_FALSE(Write(5));
  EXPECT_EQ(platform_.messages,
            std::vector<std::string>{"Mapping of search terminal 5 to camera not found.\n"});
  EXPECT_EQ(DocumentOnDisk(), "old document");
  EXPECT_EQ(ClientFolderListing(), "KvCmdLine.xml\n");
}

TEST_F(WriteCommandDocumentTest, AFailedSaveLeavesTheOldDocumentWholeAndNoTemporaryFile) {
  struct Case {
    const char* what;
    bool failCreate, writeToFullDisk, failReplace;
  };
  const Case cases[] = {
      {"temporary file cannot be made", true, false, false},
      {"disk full while writing", false, true, false},
      {"replacement refused", false, false, true},
  };
  for (const Case& c : cases) {
    PlantOldDocument();
    platform_.messages.clear();
    platform_.failCreate = c.failCreate;
    platform_.writeToFullDisk = c.writeToFullDisk;
    platform_.failReplace = c.failReplace;
    EXPECT_FALSE(Write(4)) << c.what;
    EXPECT_EQ(platform_.messages,
              std::vector<std::string>{"Error writing file C:\\Client\\KvCmdLine.xml.  Error \n"})
        << c.what;
    EXPECT_EQ(DocumentOnDisk(), "old document") << c.what;
    EXPECT_EQ(ClientFolderListing(), "KvCmdLine.xml\n") << c.what;
  }
}

}  // namespace
}  // namespace pos_video
