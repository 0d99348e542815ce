// What the checker says of a TimeZone value: why the launcher refuses it, with the name or rule
// meant where it can tell, and what a value that loads says otherwise than its writer may mean.
#pragma once

#include <string>
#include <vector>

namespace pos_video {

// For a value the launcher refuses: the finding's words after `TimeZone "..."`, around the
// launcher's `consequence` of the refusal.
std::string RefusedZoneFinding(const std::string& value, const std::string& consequence);

// For a value the launcher reads: a warning's words after `TimeZone "..."` for each of its
// readings that may not be the one meant ("Etc/GMT+5", "GST-4", "ABC+3"); none for the rest.
std::vector<std::string> ZoneWarnings(const std::string& value);

// What a Windows zone name became, after the name: " (Europe/Berlin)"; empty for other values.
std::string WindowsZoneShown(const std::string& value);

}  // namespace pos_video
