#include "checker/report_printer.h"

#include <ctime>
#include <iomanip>
#include <string>

#include "base/platform.h"
#include "checker/escaped_text.h"
#include "checker/zone_findings.h"
#include "time_zone/time_zone.h"

namespace pos_video {
namespace {

std::string DescribeCamera(const TerminalMapping& mapping) {
  std::string camera = "System " + Quoted(mapping.systemName) + ", Input";
  for (const auto& [name, value] : CameraAttributes(mapping)) {
    camera += std::string(" ") + name + " " + Quoted(value);
  }
  return camera;
}

// What the launcher loads from the file: nothing, or how many terminals and whether it skipped any.
void PrintWhatLoads(std::ostream& out, const MappingReport& report) {
  if (!report.loaded) {
    out << "The launcher loads nothing from it and never starts the client.\n";
    return;
  }
  out << "The launcher loads " << report.table.size()
      << (report.table.size() == 1 ? " terminal" : " terminals") << " from it, "
      << (report.findings.empty() ? "with nothing skipped.\n"
                                  : "but skips, ignores or replaces something.\n");
}

void PrintSettings(std::ostream& out, const MappingReport& report) {
  if (report.settingReports.empty()) return;
  out << "\nLaunch settings:\n";
  for (const SettingReport& setting : report.settingReports) {
    out << "  " << std::left << std::setw(7) << setting.name << std::right << std::setw(6)
        << setting.value << "  " << Escaped(setting.source) << "\n";
  }
  if (report.timeZone) {
    out << "  TimeZone " << Quoted(*report.timeZone) << WindowsZoneShown(*report.timeZone)
        << (report.timeZoneUsable ? "  from the file" : "  cannot be used: not a time zone")
        << "\n";
  }
}

// A terminal's zone and clock offset, where the file gives it any.
std::string DescribeClock(const TerminalClock& clock) {
  std::string text;
  if (!clock.timeZone.empty()) {
    text += ", TimeZone " + Quoted(clock.timeZone) + WindowsZoneShown(clock.timeZone);
  }
  if (clock.clockOffset != 0) text += ", ClockOffset " + std::to_string(clock.clockOffset);
  return text;
}

void PrintTerminals(std::ostream& out, const MappingReport& report) {
  out << "\nTerminals:" << (report.table.empty() ? " none\n" : "\n");
  for (const auto& [number, mapping] : report.table) {
    out << "  " << std::left << std::setw(6) << number << std::right << " "
        << DescribeCamera(mapping) << DescribeClock(ClockOf(report.table, number, report.settings));
    const auto position = report.termPositions.find(number);
    if (position != report.termPositions.end()) out << "  (line " << position->second.line << ")";
    out << "\n";
  }
}

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

std::string DescribeTimeOfDay(const WallClock& time) {
  return TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second);
}

std::string DescribeWallClock(const WallClock& time) {
  return std::to_string(time.year) + "-" + TwoDigits(time.month) + "-" + TwoDigits(time.day) + " " +
         DescribeTimeOfDay(time);
}

void PrintConversion(std::ostream& out, const ClockConversion& conversion) {
  out << "  Wall clock " << DescribeWallClock(conversion.wallClock);
  if (conversion.givenOffset) {
    out << " at " << UtcOffsetText(*conversion.givenOffset) << ", the offset given with the time"
        << (conversion.timeZone.empty() ? "" : " (the TimeZone is not used)") << ": second "
        << WallClockSeconds(conversion.wallClock) - *conversion.givenOffset;
  } else if (conversion.zone && conversion.atAbbreviation) {
    const ZoneConversion& zone = *conversion.zone;
    out << " read at " << UtcOffsetText(zone.utcOffset) << ", the " << Escaped(zone.abbreviation)
        << " of " << Escaped(conversion.timeZone) << ": second " << zone.utcSeconds;
  } else if (conversion.zone) {
    const ZoneConversion& zone = *conversion.zone;
    const std::string wall = DescribeTimeOfDay(conversion.wallClock);
    // A skipped time is labelled with the offset it is read with, not the one it lands in.
    const bool skipped = zone.fit == WallClockFit::kSkipped;
    out << " in " << Escaped(conversion.timeZone) << WindowsZoneShown(conversion.timeZone) << ": "
        << Escaped(skipped ? zone.before.abbreviation : zone.abbreviation) << ", "
        << UtcOffsetText(skipped ? zone.before.utcOffset : zone.utcOffset);
    const std::string change =
        " when " + zone.before.abbreviation + " changes to " + zone.after.abbreviation + "; read ";
    if (skipped) {
      out << " (" << wall << " is skipped" << Escaped(change)
          << "with the offset before the change)";
    } else if (zone.fit == WallClockFit::kRepeated) {
      out << " (" << wall << " is repeated" << Escaped(change)
          << "as its first occurrence, the second is " << Escaped(zone.after.abbreviation) << ", "
          << UtcOffsetText(zone.after.utcOffset) << ")";
    }
    out << ", second " << zone.utcSeconds;
  } else {
    out << " in the PC's own time zone";
  }
  out << "\n  Clock offset " << (conversion.clockOffset > 0 ? "+" : "") << conversion.clockOffset
      << " s: Start " << conversion.start << ", End " << conversion.end << "\n";
}

void PrintMessages(std::ostream& out, const std::vector<std::string>& messages,
                   const char* indent) {
  for (const std::string& message : messages) {
    const bool lineFeed = !message.empty() && message.back() == '\n';
    out << indent << Escaped(message.substr(0, message.size() - (lineFeed ? 1 : 0))) << "\n";
  }
}

std::string DescribeSearchTime(std::int64_t searchTime) {
  std::string text = std::to_string(searchTime);
  const std::time_t time = static_cast<std::time_t>(searchTime);
  char local[32];
  const std::tm* broken = std::localtime(&time);
  if (broken != nullptr && std::strftime(local, sizeof local, "%Y-%m-%d %H:%M:%S", broken) > 0) {
    const std::string zone = LocalTimeZoneName();
    text += std::string(" (") + local + " this PC's local time" +
            (zone.empty() ? "" : ", " + Escaped(zone)) + ")";
  }
  return text;
}

}  // namespace

void PrintFindings(std::ostream& out, const std::string& path, const MappingReport& report,
                   const char* indent) {
  for (const Finding& finding : report.findings) {
    out << indent << Escaped(path);
    if (finding.position.line > 0)
      out << ":" << finding.position.line << ":" << finding.position.column;
    out << (finding.severity == Severity::kError ? ": error: " : ": warning: ")
        << Escaped(finding.text) << "\n";
  }
}

void PrintMappingReport(std::ostream& out, const std::string& path, const MappingReport& report) {
  out << "Mapping file: " << Escaped(path) << "\n";
  PrintWhatLoads(out, report);
  PrintSettings(out, report);
  PrintTerminals(out, report);
  out << "\nFindings:" << (report.findings.empty() ? " none\n" : "\n");
  PrintFindings(out, path, report, "  ");
  out << "\nMessages the launcher shows:" << (report.launcherMessages.empty() ? " none\n" : "\n");
  PrintMessages(out, report.launcherMessages, "  ");
}

void PrintLaunchPreview(std::ostream& out, const LaunchPreview& preview) {
  out << "\nLaunch for terminal " << preview.terminal << ", "
      << (preview.searchTime ? "search around " + DescribeSearchTime(*preview.searchTime)
                             : std::string("with a time the launcher cannot read"))
      << ":\n";
  if (preview.conversion) PrintConversion(out, *preview.conversion);
  out << "  Messages:" << (preview.messages.empty() ? " none\n" : "\n");
  PrintMessages(out, preview.messages, "    ");
  if (!preview.documentWritten) {
    out << "  No command document is written and the client is not started.\n";
    return;
  }
  out << "  The client is started with this command document (mouse pointer at 0, 0):\n"
      << preview.document;
}

}  // namespace pos_video
