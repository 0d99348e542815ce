// The control for the planted-program test: starts the client's command line the way that is
// open to the hijack, with no application name, so the test can show that the planted
// "C:\Program.exe" really would run and that the launcher's way of starting avoids it.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
  std::string commandLine = "C:\\Program Files\\Korvane\\Client\\tarnclient.exe -FKvCmdLine.xml";
  STARTUPINFOA startupInfo{};
  startupInfo.cb = sizeof startupInfo;
  PROCESS_INFORMATION processInfo{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      "C:\\Program Files\\Korvane\\Client", &startupInfo, &processInfo)) {
    std::fprintf(stderr, "start_without_application_name: error %lu\n", GetLastError());
    return 1;
  }
  WaitForSingleObject(processInfo.hProcess, 30000);
  CloseHandle(processInfo.hProcess);
  CloseHandle(processInfo.hThread);
  return 0;
}
