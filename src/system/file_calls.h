// The few file operations whose form differs between Windows and POSIX systems, for the one
// implementation of the safe save in text_files.cpp. Each file_calls_*.cpp implements them for
// its system. A failure comes back as the system's own reason text, never empty.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "base/platform.h"

namespace pos_video::file_calls {

struct OpenFile {
  std::FILE* file = nullptr;  // Open for writing in text mode; null on failure.
  bool nameTaken = false;     // The failure was only that the name exists.
  std::string failure;
};

// Creates `path`, which must not exist yet, and opens it for writing in text mode.
OpenFile CreateNew(const std::string& path);

// Opens the regular file at `path` for writing in text mode, created if missing, but not emptied:
// that waits for the lock. Shared with readers and writers, as the C runtime's own fopen shares.
// Anything else at that name is refused ("not a regular file") without blocking, its type checked
// on the open handle: a link or reparse point in the file's own name is not followed, a FIFO, a
// device or a folder is not written.
OpenFile OpenInPlace(const std::string& path);

// Done when the lock is held.
struct LockAttempt : Outcome {
  bool busy = false;  // Another process holds a lock on the file: worth another try.
};

// Takes an exclusive lock on the whole of the open file, unless another process holds one. The
// lock goes with the file's closing.
LockAttempt TryLock(std::FILE* file);

void Pause(int milliseconds);

// Empties the open file, to be written `bytes` from its start; fails without emptying it where
// the system would not let this process write that many (natively, a file-size limit).
Outcome Empty(std::FILE* file, std::size_t bytes);

// Writes what the system holds of the open file through to the disk.
Outcome SyncToDisk(std::FILE* file);

// The system's reason for the failure of the last standard I/O call.
std::string LastFailure();

// Puts `source` in place of `target` in one step, replacing it.
Outcome Replace(const std::string& source, const std::string& target);

// Unchecked: it removes what is of no use; what stays is left for RemoveAbandonedTemporaries.
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
