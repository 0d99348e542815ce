// Whole text files on the system's own file system (host paths, not Windows paths mapped).
#pragma once

#include <cstddef>
#include <string>

#include "base/platform.h"

namespace pos_video {

// Reads the regular file at `path` whole, in text mode, or its first `maxBytes` + 1 bytes when it
// is larger. A folder, pipe, socket or device is refused with a reason instead of read: a pipe
// could block for ever and a device never end.
FileText ReadTextFile(const std::string& path, std::size_t maxBytes);

// Writes `text` to a new file beside `path`, syncs it to disk and puts it in place in one step,
// so a reader never finds a half-written file and a failure leaves the old one whole.
FileSave SaveTextFile(const std::string& path, const std::string& text);

// Removes what saves of `path` by launches that were killed left behind: files of the save's own
// temporary name pattern, older than a few minutes.
void RemoveAbandonedTemporaries(const std::string& path);

}  // namespace pos_video
