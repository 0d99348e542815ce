#include "base/launch_request.h"

#include <gtest/gtest.h>

namespace pos_video {
namespace {

TEST(LaunchRequestTest, FormsOrderAndNumbers) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"", 101},
      {"-t2007-06-06 14:50:25", 101},
      {"-n", 0},
      {"-n12", 12},
      {"\"-n\" \" \"4\"", 4},
      {"-t2007-06-06 14:50:25 /N 12", 12},
      {"/N 9 -n 3", 3},  // "-n" is tried first wherever it stands.
      {"-N 9 /n 3", 9},  // "-N" before "/n".
      {"-n\t\n +42x", 42},
      {"-n -5", -5},
      {"-n - 5", 0},
      {"a-nb", 0},  // A plain substring search: the characters count wherever they stand.
      {"-n 2147483647", 2147483647},
      {"-n -2147483648", -2147483647 - 1},
      {"-n 4294967297", 2147483647},  // Would wrap to terminal 1.
      {"-n -2147483649", -2147483647 - 1},
  };
  for (const auto& [commandLine, terminal] : cases) {
    EXPECT_EQ(ReadLaunchRequest(commandLine).terminal, terminal) << commandLine;
  }
}

}  // namespace
}  // namespace pos_video
