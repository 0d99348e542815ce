#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "system/posix_platform.h"
#include "system/text_files.h"
#include "system/windows_path.h"

namespace pos_video {
namespace {

class PosixFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/posix-files-test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

  std::string Listing() const {
    std::string listing;
    std::system(("ls -A '" + folder_ + "' > '" + folder_ + ".ls'").c_str());
    std::ifstream in(folder_ + ".ls");
    std::stringstream all;
    all << in.rdbuf();
    std::remove((folder_ + ".ls").c_str());
    return all.str();
  }

  std::string folder_;
};

TEST_F(PosixFilesTest, SaveReplacesTheFileWholeAndLeavesNothingBeside) {
  const std::string path = folder_ + "/KvCmdLine.xml";
  ASSERT_TRUE(SaveTextFile(path, "old").saved);
  const FileSave save = SaveTextFile(path, "new\ntext\n");
  EXPECT_TRUE(save.saved) << save.failure;
  EXPECT_EQ(ReadTextFile(path, 100).text, "new\ntext\n");
  EXPECT_EQ(ReadTextFile(path, 3).text, "new\n");  // One byte past the limit tells it is over.
  EXPECT_EQ(Listing(), "KvCmdLine.xml\n");

  const FileSave missingFolder = SaveTextFile(folder_ + "/none/KvCmdLine.xml", "x");
  EXPECT_FALSE(missingFolder.saved);
  EXPECT_EQ(missingFolder.failure, "No such file or directory");
}

// What a launch that was killed between creating and renaming its file left behind goes, once it
// is old enough not to belong to a launch still running.
TEST_F(PosixFilesTest, AbandonedTemporaryFilesAreRemoved) {
  const std::string path = folder_ + "/KvCmdLine.xml";
  for (const char* name : {".tmp-11-0", ".tmp-12-3", ".tmp-x-0", ".tmp-13-"}) {
    std::ofstream(path + name) << "left";
    std::system(("touch -d '-10 minutes' '" + path + name + "'").c_str());
  }
  std::ofstream(path + ".tmp-14-0") << "running";
  std::ofstream(path) << "old";
  RemoveAbandonedTemporaries(path);
  EXPECT_EQ(
      Listing(),
      "KvCmdLine.xml\nKvCmdLine.xml.tmp-13-\nKvCmdLine.xml.tmp-14-0\nKvCmdLine.xml.tmp-x-0\n");
}

TEST_F(PosixFilesTest, OnlyARegularFileIsRead) {
  const FileText missing = ReadTextFile(folder_ + "/missing.xml", 100);
  EXPECT_FALSE(missing.read);
  EXPECT_EQ(missing.failure, "No such file or directory");
  EXPECT_FALSE(ReadTextFile(folder_, 100).read);
  // Nobody writes to this pipe: reading it must not wait for a writer.
  ASSERT_EQ(mkfifo((folder_ + "/fifo").c_str(), 0600), 0);
  EXPECT_FALSE(ReadTextFile(folder_ + "/fifo", 100).read);
  EXPECT_FALSE(ReadTextFile("/dev/zero", 100).read);
}

TEST(WinePrefixTest, AsWineDecidesAndAbsolute) {
  char* here = getcwd(nullptr, 0);
  const std::string folder = here;
  std::free(here);
  const std::pair<const char*, std::string> cases[] = {
      {nullptr, "/home/auditor/.wine"},
      {"", "/home/auditor/.wine"},
      {"/srv/prefix", "/srv/prefix"},
      {"prefix", folder + "/prefix"},
  };
  setenv("HOME", "/home/auditor", 1);
  for (const auto& [variable, prefix] : cases) {
    if (variable != nullptr) setenv("WINEPREFIX", variable, 1);
    EXPECT_EQ(WinePrefixFromEnvironment(), prefix) << (variable != nullptr ? variable : "unset");
    unsetenv("WINEPREFIX");
  }
}

TEST(WindowsPathTest, DrivesMapIntoThePrefix) {
  EXPECT_EQ(MapWindowsPath("/p", "C:\\Program Files\\K\\a.xml"),
            "/p/dosdevices/c:/Program Files/K/a.xml");
  EXPECT_EQ(MapWindowsPath("/p", "d:\\x"), "/p/dosdevices/d:/x");
  EXPECT_EQ(MapWindowsPath("/p", "termToInput.xml"), "termToInput.xml");
  EXPECT_EQ(MapWindowsPath("/p", "dir\\f"), "dir/f");
  EXPECT_EQ(MapWindowsPath("/p", "1:\\x"), "1:/x");
}

}  // namespace
}  // namespace pos_video
