// The zone name closest to a TimeZone value that is no zone, for the checker to suggest.
#pragma once

#include <optional>
#include <string>

namespace pos_video {

// A tzdata or Windows zone name that equals `value` but for letter case; else one within two edits
// (insertions, deletions, replacements) of it ("Europe/Berln"), or of its part after the last "/"
// ("Mars/UTC"); else a Windows name that begins with it ("Eastern"). The
// first rule that finds a name decides; within it the fewest edits, then the shortest name, then
// byte order. A Windows name comes with its zone: "Eastern Standard Time (America/New_York)".
// None when no rule finds one.
std::optional<std::string> SuggestZoneName(const std::string& value);

}  // namespace pos_video
