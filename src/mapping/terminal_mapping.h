// Which camera watches which POS terminal, and how the client's window and search are sized.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pos_video {

// The camera of one terminal. Every field is text from the mapping file, empty when not given.
struct TerminalMapping {
  std::string systemName;
  std::string inputName;
  std::string inputNumber;  // Kept as the file spells it; the client reads it as text too.
  std::string device;
  // The Term's own TimeZone and ClockOffset, which override the file's; none when not given.
  std::optional<std::string> timeZone = std::nullopt;
  std::optional<std::int32_t> clockOffset = std::nullopt;

  bool operator==(const TerminalMapping& other) const {
    return systemName == other.systemName && inputName == other.inputName &&
           inputNumber == other.inputNumber && device == other.device &&
           timeZone == other.timeZone && clockOffset == other.clockOffset;
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
  // The zone whose wall clock the time option gives (a tzdata name or a POSIX TZ rule), empty
  // for the PC's own, and the seconds by which the recorder's clock is ahead of the terminals'.
  std::string TimeZoneName = {};
  std::int32_t ClockOffset = 0;
};

// What an integer setting measures: the checker's "unlikely value" rule follows from it.
enum class SettingMeasure {
  kWindowSize,     // Pixels of the client's window: positive.
  kSecondsBefore,  // Seconds of video before the search time: from 0 up to a day.
  kSecondsAfter,   // Seconds of video after the search time: from 0 up to a day.
};

// The root's integer settings, in the order the loader reads them, and the member each sets. A new
// setting is one row here: the loader, the checker's slips, hints and settings all read this table.
struct IntegerSetting {
  const char* name;
  std::int32_t LaunchSettings::*member;
  SettingMeasure measure;
};
constexpr std::array<IntegerSetting, 4> kIntegerSettings = {{
    {"Width", &LaunchSettings::Width, SettingMeasure::kWindowSize},
    {"Height", &LaunchSettings::Height, SettingMeasure::kWindowSize},
    {"Pre", &LaunchSettings::Pre, SettingMeasure::kSecondsBefore},
    {"Post", &LaunchSettings::Post, SettingMeasure::kSecondsAfter},
}};

// How the client is told the camera: as the Input's attributes, in order. By the Input's Name
// when it has one, else by its Number (empty when the file gives neither) with its Device, when
// given.
inline std::vector<std::pair<const char*, std::string>> CameraAttributes(
    const TerminalMapping& mapping) {
  if (!mapping.inputName.empty()) return {{"Name", mapping.inputName}};
  std::vector<std::pair<const char*, std::string>> camera = {{"Number", mapping.inputNumber}};
  if (!mapping.device.empty()) camera.emplace_back("Device", mapping.device);
  return camera;
}

// The zone and clock offset in force for one terminal: its Term's own, or else the file's.
struct TerminalClock {
  std::string timeZone;
  std::int32_t clockOffset = 0;
};

inline TerminalClock ClockOf(const TerminalMappingTable& table, std::int32_t terminal,
                             const LaunchSettings& settings) {
  TerminalClock clock{settings.TimeZoneName, settings.ClockOffset};
  const auto mapping = table.find(terminal);
  if (mapping == table.end()) return clock;
  if (mapping->second.timeZone) clock.timeZone = *mapping->second.timeZone;
  if (mapping->second.clockOffset) clock.clockOffset = *mapping->second.clockOffset;
  return clock;
}

}  // namespace pos_video
