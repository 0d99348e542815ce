#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "system/console_host.h"

namespace pos_video {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

PathConventions HostFolders::Conventions() const { return {'/', false, false}; }

PathKind HostFolders::KindOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return PathKind::kMissing;
  return S_ISDIR(status.st_mode) ? PathKind::kFolder : PathKind::kFile;
}

FolderListing HostFolders::ListFolder(const std::string& path) {
  FolderListing listing;
  const std::unique_ptr<DIR, int (*)(DIR*)> folder(opendir(path.c_str()), closedir);
  if (folder == nullptr) {
    listing.failure = std::strerror(errno);
    return listing;
  }
  const std::string prefix = path.back() == '/' ? path : path + "/";
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(folder.get());
    if (entry == nullptr) break;
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    // Not followed: a link to a folder is not a folder to search.
    struct stat status {};
    const bool isFolder = lstat((prefix + name).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    listing.entries.push_back({name, isFolder});
  }
  if (errno != 0) {
    listing.failure = std::strerror(errno);
    listing.entries.clear();
    return listing;
  }
  listing.done = true;
  return listing;
}

}  // namespace pos_video
