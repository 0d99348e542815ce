#include "system/event_log_windows.h"

#include "system/windows_api.h"

namespace pos_video {

namespace {

// The longest string an event may carry; ReportEvent refuses the whole event for a longer one.
// A byte is at most one character, so a text cut to this many bytes always fits.
constexpr std::size_t kMaxEventTextBytes = 31839;

}  // namespace

void ReportToEventLog(EventType type, MessageKind kind, const std::string& text) {
  // The local log, opened and closed for each event: a launch reports a few at most.
  const HANDLE source = RegisterEventSourceA(nullptr, kEventSourceName);
  if (source == nullptr) return;
  std::string line = !text.empty() && text.back() == '\n' ? text.substr(0, text.size() - 1) : text;
  // A time pasted whole into a long command line still leaves its event, cut short.
  if (line.size() > kMaxEventTextBytes) line.resize(kMaxEventTextBytes);
  const char* strings[] = {line.c_str()};
  const WORD eventType = type == EventType::kError ? EVENTLOG_ERROR_TYPE : EVENTLOG_WARNING_TYPE;
  // A failed report changes nothing for the auditor: its result is deliberately not used.
  ReportEventA(source, eventType, 0, static_cast<DWORD>(kind), nullptr, 1, 0, strings, nullptr);
  DeregisterEventSource(source);
}

}  // namespace pos_video
