// Which camera watches which POS terminal, and how the client's window and search are sized.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace pos_video {

// The camera of one terminal. Every field is text from the mapping file, empty when not given.
struct TerminalMapping {
  std::string systemName;
  std::string inputName;
  std::string inputNumber;  // Kept as the file spells it; the client reads it as text too.
  std::string device;

  bool operator==(const TerminalMapping& other) const {
    return systemName == other.systemName && inputName == other.inputName &&
           inputNumber == other.inputNumber && device == other.device;
  }
};

// Terminal number to camera. Storing a terminal again replaces its whole entry.
using TerminalMappingTable = std::map<std::int32_t, TerminalMapping>;

// Settings the mapping file may override; the defaults suit the client's usual layout.
struct LaunchSettings {
  std::int32_t Width = 392;
  std::int32_t Height = 377;
  std::int32_t Pre = 5;   // Seconds of video before the search time.
  std::int32_t Post = 5;  // Seconds of video after the search time.
};

}  // namespace pos_video
