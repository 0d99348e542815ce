// The few file operations whose form differs between Windows and POSIX systems, for the one
// implementation of the safe save in text_files.cpp. Each file_calls_*.cpp implements them for
// its system. A failure comes back as the system's own reason text, never empty.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace pos_video::file_calls {

struct OpenFile {
  std::FILE* file = nullptr;  // Open for writing in text mode; null on failure.
  bool nameTaken = false;     // The failure was only that the name exists.
  std::string failure;
};

// Creates `path`, which must not exist yet, and opens it for writing in text mode.
OpenFile CreateNew(const std::string& path);

// Opens `path` for writing in text mode, emptied or created, sharing it with readers as the C
// runtime's own fopen does.
OpenFile OpenEmptied(const std::string& path);

// Writes what the system holds of the open file through to the disk; false on failure.
bool SyncToDisk(std::FILE* file);

// The system's reason for the failure of the last standard I/O or SyncToDisk call.
std::string LastFailure();

// Puts `source` in place of `target` in one step, replacing it. Returns the failure, or empty.
std::string Replace(const std::string& source, const std::string& target);

void Remove(const std::string& path);

// Tells this process's temporary files from another's.
unsigned long ProcessId();

struct AgedFile {
  std::string path;
  double ageSeconds = 0;  // Since it was last written.
};

// The files whose paths start with `prefix` (a folder's path and the start of a name).
std::vector<AgedFile> FilesStartingWith(const std::string& prefix);

}  // namespace pos_video::file_calls
