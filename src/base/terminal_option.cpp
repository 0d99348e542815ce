#include "base/terminal_option.h"

#include "base/command_line_option.h"
#include "base/saturated_integer.h"

namespace pos_video {

std::int32_t ReadTerminalNumber(const std::string& commandLineText) {
  const std::size_t option = FindOption(commandLineText, 'n');
  if (option == std::string::npos) return kDefaultTerminal;
  std::int32_t terminal = 0;
  ReadSaturatedInteger(commandLineText.c_str() + option + 2, &terminal);
  return terminal;
}

}  // namespace pos_video
