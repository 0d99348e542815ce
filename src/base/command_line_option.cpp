#include "base/command_line_option.h"

#include "base/ascii_classes.h"

namespace pos_video {

std::size_t FindOption(const std::string& text, char letter, std::size_t from) {
  const char lower = LowerAscii(letter);
  const char upper = UpperAscii(letter);
  const std::string forms[] = {{'-', lower}, {'-', upper}, {'/', lower}, {'/', upper}};
  for (const std::string& form : forms) {
    const std::size_t position = text.find(form, from);
    if (position != std::string::npos) return position;
  }
  return std::string::npos;
}

std::string TextAfterProgramName(const std::string& commandLine) {
  const auto aboveSpace = [](char c) { return static_cast<unsigned char>(c) > ' '; };
  std::size_t position = 0;
  bool quoted = false;
  for (; position < commandLine.size() && (aboveSpace(commandLine[position]) || quoted);
       ++position) {
    if (commandLine[position] == '"') quoted = !quoted;
  }
  while (position < commandLine.size() && !aboveSpace(commandLine[position])) ++position;
  return commandLine.substr(position);
}

}  // namespace pos_video
