// Whole text files on the system's own file system (host paths, not Windows paths mapped).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/platform.h"

namespace pos_video {

// Reads the regular file at `path` whole, in text mode, or its first `maxBytes` + 1 bytes when it
// is larger. A folder, pipe, socket or device is refused with a reason instead of read: a pipe
// could block for ever and a device never end.
FileText ReadTextFile(const std::string& path, std::size_t maxBytes);

// Writes `text` to a new file beside `path`, syncs it to disk and puts it in place in one step,
// so a reader never finds a half-written file and a failure leaves the old one whole. Where the
// folder refuses the new file or the old one cannot be replaced, writes it in place instead: under
// an exclusive lock, so that saves at once leave one whole file, waiting at most 2 s for it.
Outcome SaveTextFile(const std::string& path, const std::string& text);

// Removes what saves of `path` by launches that were killed left behind: files of the save's own
// temporary name pattern, older than a few minutes.
void RemoveAbandonedTemporaries(const std::string& path);

// A platform's saves: each file is saved with SaveTextFile, and when this goes (once the client has
// been started, so that tidying never delays it) RemoveAbandonedTemporaries tidies beside each.
class SavedFiles {
 public:
  SavedFiles() = default;
  SavedFiles(const SavedFiles&) = delete;
  SavedFiles& operator=(const SavedFiles&) = delete;
  ~SavedFiles();

  Outcome Save(const std::string& path, const std::string& text);

 private:
  std::vector<std::string> paths_;
};

}  // namespace pos_video
