// The Windows Application event log, which fleets collect centrally and filter by source and
// event ID: IT hears of what the auditor was shown, and of launches that ended without a word.
#pragma once

#include <string>

#include "base/platform.h"

namespace pos_video {

// The source the launcher reports under. The installer registers it with the launcher as its
// message file, whose message table holds "%1" for every event ID, so that Event Viewer shows
// each event's text as written.
constexpr const char kEventSourceName[] = "POS Video Launcher";

enum class EventType { kError, kWarning };

// Reports one event of `type` whose ID is the kind's value and whose one string is `text` less a
// final line feed: through ReportEventW where the text is UTF-8 beyond ASCII (WideFromUtf8),
// through ReportEventA in the PC's code page otherwise. Best effort: a log that cannot be reached,
// or a source nobody registered, leaves the launch exactly as it would have been.
void ReportToEventLog(EventType type, MessageKind kind, const std::string& text);

}  // namespace pos_video
