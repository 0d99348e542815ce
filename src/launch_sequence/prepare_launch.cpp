#include "launch_sequence/prepare_launch.h"

#include "command_document/command_document_writer.h"
#include "command_document/window_position.h"

namespace pos_video {

PreparedLaunch PrepareLaunch(const LaunchRequest& request, std::int64_t currentTime,
                             const MappingLoad& load, const std::string& documentPath,
                             const PointerOnScreen& pointer, FileSaver& files,
                             MessageSink& messages, LocalTimeConversion localTimeSeconds) {
  PreparedLaunch launch;
  launch.pcSearchTime = ReadSearchTime(request.timeText, currentTime, messages, localTimeSeconds);
  if (!launch.pcSearchTime) return launch;
  TerminalMappingTable table;
  if (!load(messages, &table, &launch.settings)) return launch;
  launch.clock = ClockOf(table, request.terminal, launch.settings);
  // The loader let only zones through that convert; the check keeps a wrong zone from ever
  // becoming the PC's own without a word.
  launch.storeTime =
      OnStoreClock(launch.pcSearchTime->seconds, launch.pcSearchTime->time, launch.clock.timeZone,
                   launch.clock.clockOffset, request.timeText.value_or(""), messages);
  if (!launch.storeTime) return launch;
  const CursorPosition window =
      WindowPosition(pointer, launch.settings.Width, launch.settings.Height);
  launch.documentWritten =
      WriteCommandDocument(documentPath, request.terminal, launch.storeTime->searchTime, table,
                           launch.settings, window, files, messages);
  return launch;
}

}  // namespace pos_video
