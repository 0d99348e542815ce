// File operations on a POSIX system, where text mode and binary mode are the same.
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "system/file_calls.h"
#include "system/text_files.h"

namespace pos_video {
namespace file_calls {

namespace {

// Open file locks belong to the open file, not the process: two saves of one process exclude
// each other as two processes do. Older systems have only the process's own.
#ifdef F_OFD_SETLK
constexpr int kTryLock = F_OFD_SETLK;
#else
constexpr int kTryLock = F_SETLK;
#endif

constexpr char kNotARegularFile[] = "not a regular file";

// A stream over `descriptor`, which it closes on failure.
OpenFile StreamOf(int descriptor) {
  OpenFile opened;
  opened.file = fdopen(descriptor, "w");
  if (opened.file == nullptr) {
    opened.failure = std::strerror(errno);
    close(descriptor);
  }
  return opened;
}

}  // namespace

OpenFile CreateNew(const std::string& path) {
  const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (descriptor < 0) return {nullptr, errno == EEXIST, std::strerror(errno)};
  OpenFile created = StreamOf(descriptor);
  if (created.file == nullptr) unlink(path.c_str());  // It was created here, and is of no use.
  return created;
}

OpenFile OpenInPlace(const std::string& path) {
  // Non-blocking, so that a FIFO nobody reads cannot hold the launch; it changes nothing for a
  // regular file. O_NOFOLLOW applies to the last name only: the folders on the way (the prefix's
  // drive links) are followed.
  const int descriptor =
      open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  if (descriptor < 0) {
    const int error = errno;
    // A link, a FIFO without a reader or a folder fails to open with a reason that misleads.
    struct stat status {};
    const bool special = lstat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
    return {nullptr, false, special ? kNotARegularFile : std::strerror(error)};
  }
  struct stat status {};
  std::string failure;
  if (fstat(descriptor, &status) != 0) {
    failure = std::strerror(errno);
  } else if (!S_ISREG(status.st_mode)) {
    failure = kNotARegularFile;
  }
  if (failure.empty()) return StreamOf(descriptor);
  close(descriptor);  // Nothing was written through it.
  return {nullptr, false, failure};
}

LockAttempt TryLock(std::FILE* file) {
  struct flock whole {};  // From the start, with no length: the whole file, however long.
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  if (fcntl(fileno(file), kTryLock, &whole) == 0) return {{true, ""}, false};
  if (errno == EAGAIN || errno == EACCES) {
    return {{false, "The file is locked by another process"}, true};
  }
  return {{false, std::strerror(errno)}, false};
}

void Pause(int milliseconds) {
  const timespec pause{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  nanosleep(&pause, nullptr);  // Woken early by a signal, it only polls sooner.
}

Outcome Empty(std::FILE* file, std::size_t bytes) {
  // Past the limit a write fails only once the old text is gone: better not to begin.
  rlimit limit{};
  if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      bytes > limit.rlim_cur) {
    return {false, std::strerror(EFBIG)};
  }
  if (ftruncate(fileno(file), 0) != 0) return {false, std::strerror(errno)};
  return {true, ""};
}

std::string LastFailure() { return std::strerror(errno != 0 ? errno : EIO); }

Outcome SyncToDisk(std::FILE* file) {
  if (fsync(fileno(file)) == 0) return {true, ""};
  return {false, std::strerror(errno)};
}

Outcome Replace(const std::string& source, const std::string& target) {
  if (rename(source.c_str(), target.c_str()) == 0) return {true, ""};
  return {false, std::strerror(errno)};
}

void Remove(const std::string& path) { unlink(path.c_str()); }

unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

std::vector<AgedFile> FilesStartingWith(const std::string& prefix) {
  std::vector<AgedFile> files;
  const std::size_t slash = prefix.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : prefix.substr(0, slash);
  const std::string start = prefix.substr(slash == std::string::npos ? 0 : slash + 1);
  DIR* directory = opendir(folder.c_str());
  if (directory == nullptr) return files;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = readdir(directory)) {
    const std::string name = entry->d_name;
    if (name.compare(0, start.size(), start) != 0) continue;
    std::string path = folder;
    path.append("/").append(name);
    struct stat status {};
    if (stat(path.c_str(), &status) == 0) {
      files.push_back({path, std::difftime(now, status.st_mtime)});
    }
  }
  closedir(directory);
  return files;
}

}  // namespace file_calls

FileText ReadTextFile(const std::string& path, std::size_t maxBytes) {
  FileText result;
  // Non-blocking, so that opening a pipe nobody writes to returns at once; the type is checked
  // on the open descriptor, so the file cannot be swapped between a check and the open.
  const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    result.failure = std::strerror(errno);
    return result;
  }
  struct stat status {};
  if (fstat(descriptor, &status) != 0) {
    result.failure = std::strerror(errno);
  } else if (!S_ISREG(status.st_mode)) {
    result.failure = "not a regular file";
  } else {
    // Read into place at the size the file has; a file that grows meanwhile is read on in
    // chunks, but never past one byte over the limit.
    const std::size_t limit = maxBytes + 1;
    result.text.resize(std::min(static_cast<std::size_t>(status.st_size), limit));
    std::size_t filled = 0;
    char chunk[4096];
    while (filled < limit) {
      const bool inPlace = filled < result.text.size();
      char* into = inPlace ? &result.text[filled] : chunk;
      const std::size_t room =
          inPlace ? result.text.size() - filled : std::min(sizeof chunk, limit - filled);
      const ssize_t got = read(descriptor, into, room);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        result.failure = std::strerror(errno);
        break;
      }
      if (got == 0) break;
      if (!inPlace) result.text.append(chunk, static_cast<std::size_t>(got));
      filled += static_cast<std::size_t>(got);
    }
    result.done = result.failure.empty();
    result.text.resize(result.done ? filled : 0);
  }
  close(descriptor);  // Opened for reading only: nothing can be lost here.
  return result;
}

}  // namespace pos_video
