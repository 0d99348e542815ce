#include "system/posix_platform.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "support/variable_scope.h"

namespace pos_video {
namespace {

TEST(PosixPlatformTest, WinePrefixAsWineDecidesAndAbsolute) {
  char* here = getcwd(nullptr, 0);
  const std::string folder = here;
  std::free(here);
  const std::pair<const char*, std::string> cases[] = {
      {nullptr, "/home/auditor/.wine"},
      {"", "/home/auditor/.wine"},
      {"/srv/prefix", "/srv/prefix"},
      {"prefix", folder + "/prefix"},
  };
  const testing::VariableScope home("HOME", "/home/auditor");
  for (const auto& [variable, prefix] : cases) {
    const testing::VariableScope winePrefix("WINEPREFIX", variable);
    EXPECT_EQ(WinePrefixFromEnvironment(), prefix) << (variable != nullptr ? variable : "unset");
  }
}

}  // namespace
}  // namespace pos_video
