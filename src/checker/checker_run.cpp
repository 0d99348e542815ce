#include "checker/checker_run.h"

#include <algorithm>

#include "checker/check_options.h"
#include "checker/escaped_text.h"
#include "checker/mapping_file_search.h"
#include "checker/mapping_review.h"
#include "checker/report_printer.h"
#include "checker/sarif_log.h"
#include "mapping/mapping_loader.h"
#include "time_zone/time_zone.h"

namespace pos_video {
namespace {

constexpr int kExitNoFinding = 0;
constexpr int kExitWarningsOnly = 1;
constexpr int kExitError = 2;
constexpr int kExitUsage = 64;         // The customary status for a wrong command line.
constexpr int kExitOutputFailed = 74;  // The customary status for an input or output error.

// An error (a message box, or nothing loaded) fails a pipeline on its own; warnings need not.
int ExitStatus(const MappingReport& report) {
  const bool error = !report.loaded ||
                     std::any_of(report.findings.begin(), report.findings.end(),
                                 [](const Finding& f) { return f.severity == Severity::kError; });
  if (error) return kExitError;
  return report.findings.empty() ? kExitNoFinding : kExitWarningsOnly;
}

std::string Counted(std::size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// A path that names no file to review: a report of nothing loaded, with one error that says why.
MappingReport UnreviewedReport(const MappingFileArgument& file) {
  MappingReport report;
  report.findings.push_back(
      {{},
       Severity::kError,
       file.failure,
       file.unmatched ? FindingKind::kFileUnreadable : FindingKind::kNoMappingFile});
  return report;
}

// The release of the zones compiled in; the zones from Windows names will name theirs here too.
std::string DataReleases() {
  return std::string("Time zones: tzdata ") + TimeZoneDataVersion() +
         ", Windows zone names from CLDR " + WindowsZoneDataVersion() + ", compiled in.\n";
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
               FileReader& files, FolderReader& folders, std::ostream& out, std::ostream& err) {
  CheckOptions options;
  std::string error;
  if (!ParseCheckOptions(arguments, &options, &error)) {
    err << "pos-video-check: " << Escaped(error) << "\nTry 'pos-video-check --help'.\n";
    return kExitUsage;
  }
  if (options.help) {
    out << kCheckUsage << "\n" << DataReleases();
    return Written(out, err, kExitNoFinding);
  }
  if (options.version) {
    out << "pos-video-check " << POS_VIDEO_VERSION << "\n" << DataReleases();
    return Written(out, err, kExitNoFinding);
  }
  int status = kExitNoFinding;
  std::size_t errors = 0;
  std::size_t warnings = 0;
  const std::vector<MappingFileArgument> checked = FindMappingFiles(options.paths, folders);
  std::vector<FileFindings> sarif;
  for (const MappingFileArgument& file : checked) {
    const std::string& path = file.path;
    // Read and guarded once: the review and the preview both work on this text.
    const FileText text = file.failure.empty() ? ReadMappingFile(path, files) : FileText{};
    const MappingReport report =
        file.failure.empty() ? ReviewMappingFile(path, text) : UnreviewedReport(file);
    status = std::max(status, ExitStatus(report));
    if (options.sarif) {
      sarif.push_back({path, report.findings});
      continue;
    }
    if (options.brief) {
      PrintFindings(out, path, report, "");
      for (const Finding& finding : report.findings) {
        ++(finding.severity == Severity::kError ? errors : warnings);
      }
      continue;
    }
    if (&file != &checked.front()) out << "\n";
    PrintMappingReport(out, path, report);
    if (options.launch && file.failure.empty()) {
      PrintLaunchPreview(out, PreviewLaunch(path, text, *options.launch, currentTime));
    }
  }
  if (options.sarif) WriteSarifLog(out, sarif, POS_VIDEO_VERSION);
  if (options.brief) {
    out << Counted(checked.size(), "file") << " checked: " << Counted(errors, "error") << ", "
        << Counted(warnings, "warning") << "\n";
  }
  return Written(out, err, status);
}

}  // namespace pos_video
