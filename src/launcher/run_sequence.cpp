#include "launcher/run_sequence.h"

#include "base/launch_constants.h"
#include "command_document/command_document_writer.h"
#include "launcher/terminal_option.h"
#include "mapping/mapping_loader.h"
#include "search_time/time_option.h"

namespace pos_video {

int RunLauncher(const std::string& commandLineText, std::int64_t currentTime, Platform& platform) {
  const std::int32_t terminal = ReadTerminalNumber(commandLineText);
  std::int64_t searchTime = 0;
  if (!ReadSearchTime(commandLineText, currentTime, platform, &searchTime)) return 0;

  TerminalMappingTable table;
  LaunchSettings settings;
  if (!LoadTerminalMappings(kMappingFilePath, platform, platform, table, settings)) return 0;
  if (!WriteCommandDocument(kCommandDocumentPath, terminal, searchTime, table, settings,
                            platform.ReadCursorPosition(), platform, platform)) {
    return 0;
  }
  platform.StartProgram({kClientProgramPath, kClientArguments, kClientDirectory});
  return 0;
}

}  // namespace pos_video
