// Keeps a file open the way a program still reading it would, so that it cannot be replaced or
// deleted meanwhile; or locked, as another launch writing it in place holds it.
//
//   hold_open PATH SHARING READY_FILE STOP_FILE
//
// Opens PATH for reading, sharing it with other readers ("read") or with readers and writers
// ("read-write", or "lock", which also takes an exclusive lock on the whole file), never for
// deletion (which replacing needs); creates READY_FILE, and holds PATH open until STOP_FILE
// exists (at most a minute).
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  const bool lock = argc == 5 && std::strcmp(argv[2], "lock") == 0;
  const bool shareWrite = lock || (argc == 5 && std::strcmp(argv[2], "read-write") == 0);
  if (argc != 5 || (!shareWrite && std::strcmp(argv[2], "read") != 0)) {
    std::fprintf(stderr, "usage: hold_open PATH read|read-write|lock READY_FILE STOP_FILE\n");
    return 2;
  }
  const DWORD sharing = FILE_SHARE_READ | (shareWrite ? FILE_SHARE_WRITE : 0);
  HANDLE file = CreateFileA(argv[1], GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "hold_open: cannot open %s: error %lu\n", argv[1], GetLastError());
    return 1;
  }
  OVERLAPPED fromTheStart{};
  if (lock && LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                         MAXDWORD, &fromTheStart) == 0) {
    std::fprintf(stderr, "hold_open: cannot lock %s: error %lu\n", argv[1], GetLastError());
    return 1;
  }
  HANDLE ready = CreateFileA(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(ready);
  for (int waited = 0; waited < 60000; waited += 20) {
    if (GetFileAttributesA(argv[4]) != INVALID_FILE_ATTRIBUTES) break;
    Sleep(20);
  }
  CloseHandle(file);
  return 0;
}
