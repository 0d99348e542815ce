// The few file operations whose form differs between Windows and POSIX systems, for the one
// implementation of the safe save in text_files.cpp. Each file_calls_*.cpp implements them for
// its system. A failure comes back as the system's own reason text, never empty.
#pragma once

#include <cstdio>
#include <string>

namespace pos_video::file_calls {

struct NewFile {
  std::FILE* file = nullptr;  // Open for writing in text mode; null on failure.
  bool nameTaken = false;     // The failure was only that the name exists.
  std::string failure;
};

// Creates `path`, which must not exist yet, and opens it for writing in text mode.
NewFile CreateNew(const std::string& path);

// Writes what the system holds of the open file through to the disk; false on failure.
bool SyncToDisk(std::FILE* file);

// Puts `source` in place of `target` in one step, replacing it. Returns the failure, or empty.
std::string Replace(const std::string& source, const std::string& target);

void Remove(const std::string& path);

// Tells this process's temporary files from another's.
unsigned long ProcessId();

}  // namespace pos_video::file_calls
