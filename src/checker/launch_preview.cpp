#include "checker/launch_preview.h"

#include "base/launch_constants.h"
#include "checker/message_collector.h"
#include "command_document/command_document_writer.h"

namespace pos_video {

LaunchPreview PreviewLaunch(const MappingReport& report, std::int32_t terminal,
                            std::int64_t searchTime) {
  LaunchPreview preview;
  preview.terminal = terminal;
  preview.searchTime = searchTime;
  preview.messages = report.launcherMessages;
  if (!report.loaded) return preview;

  MessageCollector messages;
  DocumentCollector document;
  // The checker previews the document for a pointer at the screen's corner.
  preview.documentWritten =
      WriteCommandDocument(kCommandDocumentPath, terminal, searchTime, report.table,
                           report.settings, CursorPosition{}, document, messages);
  preview.document = document.document();
  preview.messages.insert(preview.messages.end(), messages.messages().begin(),
                          messages.messages().end());
  return preview;
}

}  // namespace pos_video
