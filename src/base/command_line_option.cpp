#include "base/command_line_option.h"

#include <cctype>

namespace pos_video {

std::size_t FindOption(const std::string& text, char letter, std::size_t from) {
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  const std::string forms[] = {{'-', lower}, {'-', upper}, {'/', lower}, {'/', upper}};
  for (const std::string& form : forms) {
    const std::size_t position = text.find(form, from);
    if (position != std::string::npos) return position;
  }
  return std::string::npos;
}

}  // namespace pos_video
