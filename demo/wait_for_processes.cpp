// Waits until no process with one of the given program names runs any more.
//
//   wait_for_processes SECONDS NAME...
//
// Exits 0 once none runs, 1 when some still run after SECONDS. After a launcher has ended, this
// tells apart "the client was never started" from "the client has not written its record yet": a
// started client is either still running or has finished its record.
#include <windows.h>
// Needs the types of <windows.h>.
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string RunningOneOf(int count, char** names) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return "(no process list)";
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  std::string running;
  for (BOOL more = Process32First(snapshot, &entry); more && running.empty();
       more = Process32Next(snapshot, &entry)) {
    for (int i = 0; i < count; ++i) {
      if (lstrcmpiA(entry.szExeFile, names[i]) == 0) running = names[i];
    }
  }
  CloseHandle(snapshot);
  return running;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: wait_for_processes SECONDS NAME...\n");
    return 2;
  }
  const ULONGLONG deadline = GetTickCount64() + std::strtoull(argv[1], nullptr, 10) * 1000;
  std::string running;
  while (!(running = RunningOneOf(argc - 2, argv + 2)).empty()) {
    if (GetTickCount64() >= deadline) {
      std::fprintf(stderr, "wait_for_processes: %s still runs\n", running.c_str());
      return 1;
    }
    Sleep(20);
  }
  return 0;
}
