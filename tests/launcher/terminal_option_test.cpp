#include "launcher/terminal_option.h"

#include <gtest/gtest.h>

#include "launcher/command_line_option.h"

namespace pos_video {
namespace {

struct TerminalCase {
  const char* commandLine;
  std::int32_t terminal;
};

TEST(TerminalOptionTest, ReadsTheNumberAfterTheFirstFormFound) {
  const TerminalCase cases[] = {
      {"", kDefaultTerminal},
      {"-t2007-06-06 14:50:25", kDefaultTerminal},
      {"-n", 0},
      {"-n 12", 12},
      {"-n12", 12},
      {"-N7", 7},
      {"/n 7", 7},
      {"/N 7", 7},
      {"-t2007-06-06 14:50:25 /N 12", 12},
      {"/N 9 -n 3", 3},  // "-n" is tried first wherever it stands.
      {"-N 9 /n 3", 9},  // "-N" before "/n".
      {"-n 123456", 123456},
      {"-n\t\n +42x", 42},
      {"-n -5", -5},
      {"-n x5", 0},
      {"-n - 5", 0},
      {"a-nb", 0},  // A plain substring search: the characters count wherever they stand.
      {"-n 2147483647", 2147483647},
      {"-n -2147483648", -2147483647 - 1},
  };
  for (const TerminalCase& c : cases) {
    EXPECT_EQ(ReadTerminalNumber(c.commandLine), c.terminal) << "command line: " << c.commandLine;
  }
}

TEST(TerminalOptionTest, NumbersBeyond32BitsSaturateInsteadOfNamingAnotherTerminal) {
  const TerminalCase cases[] = {
      {"-n 4294967297", 2147483647},  // Would wrap to terminal 1.
      {"-n 2147483648", 2147483647},       {"-n 99999999999999999999999999999", 2147483647},
      {"-n -2147483649", -2147483647 - 1}, {"-n -4294967295", -2147483647 - 1},
  };
  for (const TerminalCase& c : cases) {
    EXPECT_EQ(ReadTerminalNumber(c.commandLine), c.terminal) << "command line: " << c.commandLine;
  }
}

TEST(CommandLineOptionTest, SearchesFromTheGivenPosition) {
  EXPECT_EQ(FindOption("-t1 -n2", 'n', 0), 4u);
  EXPECT_EQ(FindOption("-n1 -t2", 'n', 4), std::string::npos);
  EXPECT_EQ(FindOption("-n1 /N2", 'n', 1), 4u);
}

}  // namespace
}  // namespace pos_video
