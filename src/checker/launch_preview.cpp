#include "checker/launch_preview.h"

#include "checker/message_collector.h"
#include "command_document/command_document_writer.h"
#include "launcher/launch_constants.h"

namespace pos_video {

LaunchPreview PreviewLaunch(const MappingReport& report, std::int32_t terminal,
                            std::int64_t searchTime) {
  LaunchPreview preview;
  preview.terminal = terminal;
  preview.searchTime = searchTime;
  preview.messages = report.launcherMessages;
  if (!report.loaded) return preview;

  MessageCollector collector;
  const auto found = report.table.find(terminal);
  if (found == report.table.end()) {
    // The writer itself tells of a terminal it cannot find, before it touches any file; the
    // collector would refuse the file anyway.
    WriteCommandDocument(kCommandDocumentPath, terminal, searchTime, report.table, report.settings,
                         collector);
    preview.messages.insert(preview.messages.end(), collector.messages().begin(),
                            collector.messages().end());
    return preview;
  }
  preview.documentWritten = true;
  preview.document = PrintCommandDocument(found->second, report.settings, searchTime,
                                          collector.ReadCursorPosition());
  return preview;
}

}  // namespace pos_video
