#include "checker/checker_run.h"

#include <algorithm>

#include "checker/check_options.h"
#include "checker/escaped_text.h"
#include "checker/mapping_review.h"
#include "checker/report_printer.h"
#include "time_zone/time_zone.h"

namespace pos_video {
namespace {

constexpr int kExitNothingSkipped = 0;
constexpr int kExitSomethingSkipped = 1;
constexpr int kExitNothingLoaded = 2;
constexpr int kExitUsage = 64;         // The customary status for a wrong command line.
constexpr int kExitOutputFailed = 74;  // The customary status for an input or output error.

int ExitStatus(const MappingReport& report) {
  if (!report.loaded) return kExitNothingLoaded;
  return report.findings.empty() ? kExitNothingSkipped : kExitSomethingSkipped;
}

std::string Counted(std::size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// A build step must not pass on a log it never got: a failed write outranks what the files say.
int Written(std::ostream& out, std::ostream& err, int status) {
  out.flush();
  if (out) return status;
  err << "pos-video-check: cannot write the output\n";
  return kExitOutputFailed;
}

}  // namespace

int RunChecker(const std::vector<std::string>& arguments, std::int64_t currentTime,
               FileReader& files, std::ostream& out, std::ostream& err) {
  CheckOptions options;
  std::string error;
  if (!ParseCheckOptions(arguments, &options, &error)) {
    err << "pos-video-check: " << Escaped(error) << "\nTry 'pos-video-check --help'.\n";
    return kExitUsage;
  }
  if (options.help) {
    out << kCheckUsage << "\nTime zones: tzdata " << TimeZoneDataVersion()
        << ", Windows zone names from CLDR " << WindowsZoneDataVersion() << ", compiled in.\n";
    return Written(out, err, kExitNothingSkipped);
  }
  int status = kExitNothingSkipped;
  std::size_t errors = 0;
  std::size_t warnings = 0;
  for (const std::string& path : options.paths) {
    const MappingReport report = ReviewMappingFile(path, files);
    status = std::max(status, ExitStatus(report));
    if (options.brief) {
      PrintFindings(out, path, report, "");
      for (const Finding& finding : report.findings) {
        ++(finding.severity == Severity::kError ? errors : warnings);
      }
      continue;
    }
    if (&path != &options.paths.front()) out << "\n";
    PrintMappingReport(out, path, report);
    if (options.launch) {
      PrintLaunchPreview(out, PreviewLaunch(path, files, *options.launch, currentTime));
    }
  }
  if (options.brief) {
    out << Counted(options.paths.size(), "file") << " checked: " << Counted(errors, "error") << ", "
        << Counted(warnings, "warning") << "\n";
  }
  return Written(out, err, status);
}

}  // namespace pos_video
