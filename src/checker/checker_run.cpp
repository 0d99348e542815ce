#include "checker/checker_run.h"

#include "checker/check_options.h"
#include "checker/launch_preview.h"
#include "checker/mapping_review.h"
#include "checker/message_collector.h"
#include "checker/report_printer.h"
#include "search_time/time_option.h"

namespace pos_video {

int CheckExitStatus(const MappingReport& report) {
  if (!report.loaded) return kExitNothingLoaded;
  return report.diagnostics.empty() ? kExitNothingSkipped : kExitSomethingSkipped;
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
    out << kCheckUsage;
    return kExitNothingSkipped;
  }

  const MappingReport report = InspectMappingFile(options.path, files);
  PrintMappingReport(out, options.path, report);
  if (options.preview) {
    // The launcher's own reading of its time option, so the same text gives the same time.
    // The launcher's own reading of its time option, so the same text gives the same time; a time
    // it cannot read ends the launch before the mapping file is read.
    MessageCollector timeMessages;
    std::int64_t searchTime = currentTime;
    if (options.timeGiven &&
        !ReadSearchTime("-t" + options.timeText, currentTime, timeMessages, &searchTime)) {
      PrintLaunchPreview(out, {options.terminal, std::nullopt, timeMessages.messages(), false, ""});
    } else {
      PrintLaunchPreview(out, PreviewLaunch(report, options.terminal, searchTime));
    }
  }
  out.flush();
  return CheckExitStatus(report);
}

}  // namespace pos_video
