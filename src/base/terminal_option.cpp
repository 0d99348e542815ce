#include "base/terminal_option.h"

#include "base/ascii_classes.h"
#include "base/command_line_option.h"
#include "base/saturated_integer.h"

namespace pos_video {

std::int32_t ReadTerminalNumber(const std::string& commandLineText) {
  const std::size_t option = FindOption(commandLineText, 'n');
  if (option == std::string::npos) return kDefaultTerminal;
  // A Windows caller's quotes stay in the raw command line: `-n "4"` is terminal 4.
  std::size_t number = option + 2;
  while (number < commandLineText.size() &&
         (IsAsciiWhitespace(commandLineText[number]) || commandLineText[number] == '"')) {
    ++number;
  }
  std::int32_t terminal = 0;
  ReadSaturatedInteger(commandLineText.c_str() + number, &terminal);
  return terminal;
}

}  // namespace pos_video
