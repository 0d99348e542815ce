#include "launcher/process_start_windows.h"

#include <vector>

namespace pos_video {

void StartProcessThrough(const ProcessStart& start, const ProcessStartCalls& calls) {
  // CreateProcessA may write into the command line, so it gets a copy of its own.
  std::vector<char> commandLine(start.commandLine.begin(), start.commandLine.end());
  commandLine.push_back('\0');

  STARTUPINFOA startupInfo{};
  startupInfo.cb = sizeof startupInfo;
  PROCESS_INFORMATION processInfo{};

  // The application name keeps an unquoted path with blanks from being taken for a shorter
  // program ("C:\Program.exe"); the command line the program sees stays as given.
  calls.createProcess(start.applicationPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      NORMAL_PRIORITY_CLASS, nullptr, start.currentDirectory.c_str(), &startupInfo,
                      &processInfo);
  // Handles are null after a failed start; there is nothing to close then.
  if (processInfo.hProcess != nullptr) calls.closeHandle(processInfo.hProcess);
  if (processInfo.hThread != nullptr) calls.closeHandle(processInfo.hThread);
}

}  // namespace pos_video
