#include "system/posix_platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <utility>

#include "support/variable_scope.h"
#include "system/text_files.h"

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

// The client starts through the wine found on PATH, a relative entry read from the folder the
// launcher started in; in the client's folder inside the prefix, with the prefix in WINEPREFIX, the
// signals' usual handling rather than the launcher's, and none of the launcher's streams, so that
// a caller waiting for the launcher's output to end is not held by the client.
TEST(PosixPlatformTest, TheClientStartsThroughWineInItsFolderAndHoldsNoStream) {
  char pattern[] = "/tmp/posix-platform-test.XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string work = pattern, started = work + "/started";
  const std::string folder = work + "/dosdevices/c:/Program Files (x86)/Korvane/Client";
  ASSERT_EQ(std::system(("mkdir -p '" + folder + "' '" + work + "/tools'").c_str()), 0);
  std::ofstream(work + "/tools/wine")
      << "#!/bin/sh\nstreams=$(readlink /proc/$$/fd/0 /proc/$$/fd/1 /proc/$$/fd/2)\n"
         "{ pwd; printf '%s\\n' \"$@\" \"$WINEPREFIX\" \"$streams\"\n"
         "sed -n 's/^SigIgn:\\t*//p' /proc/$$/status; } >'"
      << started << ".tmp' && mv '" << started << ".tmp' '" << started << "'\n";
  ASSERT_EQ(chmod((work + "/tools/wine").c_str(), 0755), 0);
  char* here = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(work.c_str()), 0);
  const testing::VariableScope path("PATH", "/nonexistent:tools:/usr/bin:/bin");
  std::signal(SIGPIPE, SIG_IGN);  // As the launcher does.
  const Outcome start = PosixPlatform(work).StartProgram(
      {"C:\\Program Files (x86)\\Korvane\\Client\\tarnclient.exe", "-FKvCmdLine.xml",
       "C:\\Program Files (x86)\\Korvane\\Client"});
  std::signal(SIGPIPE, SIG_DFL);
  EXPECT_EQ(chdir(here), 0);
  std::free(here);
  EXPECT_TRUE(start.done) << start.failure;
  for (int wait = 0; wait < 100 && access(started.c_str(), F_OK) != 0; ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  const std::string record = ReadTextFile(started, 1 << 16).text;
  const std::size_t ignored = record.rfind('\n', record.size() - 2) + 1;
  EXPECT_EQ(record.substr(0, ignored),
            folder +
                "\nC:\\Program Files (x86)\\Korvane\\Client\\tarnclient.exe"
                "\n-FKvCmdLine.xml\n" +
                work + "\n/dev/null\n/dev/null\n/dev/null\n");
  // SIGPIPE and SIGXFSZ, which the launcher ignores, are bits 13 and 25.
  EXPECT_EQ(std::stoull(record.substr(ignored), nullptr, 16) & (1u << 12 | 1u << 24), 0u) << record;
  std::system(("rm -rf '" + work + "'").c_str());
}

}  // namespace
}  // namespace pos_video
