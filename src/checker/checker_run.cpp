#include "checker/checker_run.h"

#include <algorithm>

#include "base/launch_constants.h"
#include "base/terminal_option.h"
#include "checker/check_options.h"
#include "checker/mapping_review.h"
#include "checker/message_collector.h"
#include "checker/report_printer.h"
#include "command_document/command_document_writer.h"
#include "search_time/store_clock.h"
#include "search_time/time_option.h"
#include "time_zone/time_zone.h"

namespace pos_video {
namespace {

std::string Counted(std::size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

int CheckExitStatus(const MappingReport& report) {
  if (!report.loaded) return kExitNothingLoaded;
  return report.findings.empty() ? kExitNothingSkipped : kExitSomethingSkipped;
}

LaunchPreview PreviewLaunch(const MappingReport& report, std::int32_t terminal,
                            const std::string& commandLineText, std::int64_t currentTime) {
  LaunchPreview preview;
  preview.terminal = terminal;
  // The launcher's own reading of its time option: a time it cannot read ends the launch before
  // the mapping file is read.
  MessageCollector messages;
  std::int64_t pcSearchTime = 0;
  std::optional<WallClock> wallClock;
  if (!ReadSearchTime(commandLineText, currentTime, messages, &pcSearchTime, &wallClock)) {
    preview.messages = messages.messages();
    return preview;
  }
  preview.searchTime = pcSearchTime;
  preview.messages = report.launcherMessages;
  if (!report.loaded) return preview;
  const TerminalClock clock = ClockOf(report.table, terminal, report.settings);
  const std::optional<StoreClockTime> onStoreClock =
      OnStoreClock(pcSearchTime, wallClock, clock.timeZone, clock.clockOffset);
  if (!onStoreClock) return preview;
  const std::int64_t searchTime = onStoreClock->searchTime;
  preview.searchTime = searchTime;
  if (wallClock && (!clock.timeZone.empty() || clock.clockOffset != 0)) {
    preview.conversion = ClockConversion{*wallClock,
                                         clock.timeZone,
                                         onStoreClock->zone,
                                         clock.clockOffset,
                                         searchTime - report.settings.Pre,
                                         searchTime + report.settings.Post};
  }

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

int RunChecker(const std::vector<std::string>& arguments, std::int64_t currentTime,
               FileReader& files, std::ostream& out, std::ostream& err) {
  CheckOptions options;
  std::string error;
  if (!ParseCheckOptions(arguments, &options, &error)) {
    err << "pos-video-check: " << error << "\nTry 'pos-video-check --help'.\n";
    return kExitUsage;
  }
  if (options.help) {
    out << kCheckUsage << "\nTime zones: tzdata " << TimeZoneDataVersion() << ", compiled in.\n";
    return kExitNothingSkipped;
  }
  // The launcher's command line, or the checker's own -n and -t standing for one.
  const std::string commandLine = options.launcherCommandLine.value_or(
      options.timeText ? "-t" + *options.timeText : std::string());
  const std::int32_t terminal = options.launcherCommandLine
                                    ? ReadTerminalNumber(*options.launcherCommandLine)
                                    : options.terminal;

  int status = kExitNothingSkipped;
  std::size_t errors = 0;
  std::size_t warnings = 0;
  for (const std::string& path : options.paths) {
    const MappingReport report = ReviewMappingFile(path, files);
    status = std::max(status, CheckExitStatus(report));
    if (options.brief) {
      PrintFindings(out, path, report, "");
      for (const Finding& finding : report.findings) {
        ++(finding.severity == Severity::kError ? errors : warnings);
      }
      continue;
    }
    if (&path != &options.paths.front()) out << "\n";
    PrintMappingReport(out, path, report);
    if (options.preview) {
      PrintLaunchPreview(out, PreviewLaunch(report, terminal, commandLine, currentTime));
    }
  }
  if (options.brief) {
    out << Counted(options.paths.size(), "file") << " checked: " << Counted(errors, "error") << ", "
        << Counted(warnings, "warning") << "\n";
  }
  out.flush();
  return status;
}

}  // namespace pos_video
