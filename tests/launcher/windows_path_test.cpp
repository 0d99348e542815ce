#include "launcher/windows_path.h"

#include <gtest/gtest.h>

namespace pos_video {
namespace {

TEST(WindowsPathTest, DrivePathsLandInTheWinePrefixAsWineMapsThem) {
  struct Case {
    const char* windowsPath;
    const char* mapped;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Korvane\\Client\\KvCmdLine.xml",
       "/p/dosdevices/c:/Program Files/Korvane/Client/KvCmdLine.xml"},
      {"D:/x", "/p/dosdevices/d:/x"},
      {"termToInput.xml", "termToInput.xml"},
      {"sub\\file", "sub/file"},
      {":\\x", ":/x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MapWindowsPath("/p", c.windowsPath), c.mapped) << c.windowsPath;
  }
}

}  // namespace
}  // namespace pos_video
