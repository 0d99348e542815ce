// File operations on a POSIX system, where text mode and binary mode are the same.
#include <dirent.h>
#include <fcntl.h>
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

OpenFile Open(const std::string& path, int flags) {
  OpenFile created;
  const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0644);
  if (descriptor < 0) {
    created.nameTaken = errno == EEXIST;
    created.failure = std::strerror(errno);
    return created;
  }
  created.file = fdopen(descriptor, "w");
  if (created.file == nullptr) {
    created.failure = std::strerror(errno);
    close(descriptor);
    if ((flags & O_EXCL) != 0) unlink(path.c_str());  // It was created here, and is of no use.
  }
  return created;
}

}  // namespace

OpenFile CreateNew(const std::string& path) { return Open(path, O_EXCL); }

OpenFile OpenEmptied(const std::string& path) { return Open(path, O_TRUNC); }

std::string LastFailure() { return std::strerror(errno != 0 ? errno : EIO); }

bool SyncToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

std::string Replace(const std::string& source, const std::string& target) {
  return rename(source.c_str(), target.c_str()) == 0 ? "" : std::strerror(errno);
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
    const std::string path = folder + "/" + name;
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
    result.read = result.failure.empty();
    result.text.resize(result.read ? filled : 0);
  }
  close(descriptor);  // Opened for reading only: nothing can be lost here.
  return result;
}

}  // namespace pos_video
