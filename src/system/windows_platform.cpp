#include "system/windows_platform.h"

#include <vector>

#include "base/launch_constants.h"
#include "system/event_log_windows.h"
#include "system/text_files.h"
#include "system/windows_api.h"

namespace pos_video {

void WindowsPlatform::ShowMessage(MessageKind kind, const std::string& text) {
  ReportToEventLog(EventType::kError, kind, text);
  if (const std::optional<std::wstring> wide = WideFromUtf8(text)) {
    // The caption is ASCII: each byte widens to its own character.
    const std::wstring caption(kMessageCaption, kMessageCaption + sizeof kMessageCaption - 1);
    MessageBoxW(GetDesktopWindow(), wide->c_str(), caption.c_str(), MB_OK);
  } else {
    MessageBoxA(GetDesktopWindow(), text.c_str(), kMessageCaption, MB_OK);
  }
}

void WindowsPlatform::RecordWarning(MessageKind kind, const std::string& text) {
  ReportToEventLog(EventType::kWarning, kind, text);
}

FileText WindowsPlatform::ReadFile(const std::string& path, std::size_t maxBytes) {
  return ReadTextFile(path, maxBytes);
}

Outcome WindowsPlatform::SaveFile(const std::string& path, const std::string& text) {
  return saved_.Save(path, text);
}

bool WindowsPlatform::HasFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

PointerOnScreen WindowsPlatform::ReadPointer() {
  POINT point{};
  // Without a pointer the window opens at (0, 0), where it always did.
  if (!GetCursorPos(&point)) return {};
  PointerOnScreen pointer{{static_cast<int>(point.x), static_cast<int>(point.y)}, std::nullopt};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    pointer.workArea = ScreenArea{static_cast<int>(work.left), static_cast<int>(work.top),
                                  static_cast<int>(work.right), static_cast<int>(work.bottom)};
  }
  return pointer;
}

Outcome WindowsPlatform::StartProgram(const ProgramStart& start) {
  // The command line the program sees is its unquoted path and its arguments; CreateProcessA may
  // write into it, so it gets a buffer of its own.
  const std::string line = start.program + " " + start.arguments;
  std::vector<char> commandLine(line.begin(), line.end());
  commandLine.push_back('\0');

  STARTUPINFOA startupInfo{};
  startupInfo.cb = sizeof startupInfo;
  PROCESS_INFORMATION processInfo{};
  // The application name keeps the unquoted path with blanks from being taken for a shorter
  // program ("C:\Program.exe").
  const BOOL started = CreateProcessA(start.program.c_str(), commandLine.data(), nullptr, nullptr,
                                      FALSE, NORMAL_PRIORITY_CLASS, nullptr, start.folder.c_str(),
                                      &startupInfo, &processInfo);
  // Handles are null after a failed start; there is nothing to close then.
  if (processInfo.hProcess != nullptr) CloseHandle(processInfo.hProcess);
  if (processInfo.hThread != nullptr) CloseHandle(processInfo.hThread);
  if (started) return {true, ""};
  return {false, SystemErrorText(GetLastError())};
}

}  // namespace pos_video
