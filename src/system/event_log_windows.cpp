#include "system/event_log_windows.h"

#include "system/windows_api.h"

namespace pos_video {

namespace {

// The longest string an event may carry, in characters; ReportEvent refuses the whole event for
// a longer one. A byte is at most one character, so a text cut to this many bytes always fits.
constexpr std::size_t kMaxEventTextCharacters = 31839;

}  // namespace

void ReportToEventLog(EventType type, MessageKind kind, const std::string& text) {
  // The local log, opened and closed for each event: a launch reports a few at most.
  const HANDLE source = RegisterEventSourceA(nullptr, kEventSourceName);
  if (source == nullptr) return;
  std::string line = !text.empty() && text.back() == '\n' ? text.substr(0, text.size() - 1) : text;
  const WORD eventType = type == EventType::kError ? EVENTLOG_ERROR_TYPE : EVENTLOG_WARNING_TYPE;
  const DWORD eventId = static_cast<DWORD>(kind);
  // A failed report changes nothing for the auditor: its result is deliberately not used.
  if (std::optional<std::wstring> wide = WideFromUtf8(line)) {
    if (wide->size() > kMaxEventTextCharacters) wide->resize(kMaxEventTextCharacters);
    const wchar_t* strings[] = {wide->c_str()};
    ReportEventW(source, eventType, 0, eventId, nullptr, 1, 0, strings, nullptr);
  } else {
    // A time pasted whole into a long command line still leaves its event, cut short.
    if (line.size() > kMaxEventTextCharacters) line.resize(kMaxEventTextCharacters);
    const char* strings[] = {line.c_str()};
    ReportEventA(source, eventType, 0, eventId, nullptr, 1, 0, strings, nullptr);
  }
  DeregisterEventSource(source);
}

}  // namespace pos_video
