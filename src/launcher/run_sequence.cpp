#include "launcher/run_sequence.h"

#include "base/launch_constants.h"
#include "base/terminal_option.h"
#include "command_document/command_document_writer.h"
#include "command_document/window_position.h"
#include "mapping/mapping_loader.h"
#include "search_time/store_clock.h"
#include "search_time/time_option.h"

namespace pos_video {
namespace {

// The client's folder: the one under Program Files, unless only the 32-bit Program Files of a
// 64-bit Windows holds the client.
std::string ClientFolder(Platform& platform) {
  const auto holdsClient = [&](const char* folder) {
    return platform.HasFile(std::string(folder) + "\\" + kClientProgramName);
  };
  if (!holdsClient(kClientDirectory) && holdsClient(kClientDirectoryX86)) {
    return kClientDirectoryX86;
  }
  return kClientDirectory;
}

}  // namespace

int RunLauncher(const std::string& commandLineText, std::int64_t currentTime, Platform& platform) {
  const std::int32_t terminal = ReadTerminalNumber(commandLineText);
  std::int64_t pcSearchTime = 0;
  std::optional<WrittenTime> time;
  if (!ReadSearchTime(commandLineText, currentTime, platform, &pcSearchTime, &time)) return 0;

  TerminalMappingTable table;
  LaunchSettings settings;
  if (!LoadTerminalMappings(kMappingFilePath, platform, platform, table, settings)) return 0;
  const TerminalClock clock = ClockOf(table, terminal, settings);
  // The loader let only zones through that convert; the check keeps a wrong zone from ever
  // becoming the PC's own without a word.
  const std::optional<StoreClockTime> searchTime =
      OnStoreClock(pcSearchTime, time, clock.timeZone, clock.clockOffset);
  if (!searchTime) return 0;
  const std::string folder = ClientFolder(platform);
  const CursorPosition window =
      WindowPosition(platform.ReadPointer(), settings.Width, settings.Height);
  if (!WriteCommandDocument(folder + "\\" + kCommandDocumentName, terminal, searchTime->searchTime,
                            table, settings, window, platform, platform)) {
    return 0;
  }
  const std::string client = folder + "\\" + kClientProgramName;
  const StartResult start = platform.StartProgram({client, kClientArguments, folder});
  if (!start.started) {
    // The auditor is shown nothing, as always; whoever looks after the machine hears of it.
    platform.RecordWarning(MessageKind::kClientNotStarted,
                           "Could not start the video client " + client + ": " + start.failure);
  }
  return 0;
}

}  // namespace pos_video
