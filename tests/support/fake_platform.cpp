#include "support/fake_platform.h"

#include <cstdio>
#include <filesystem>

#include "launcher/windows_path.h"

namespace pos_video::testing {

std::string FakePlatform::HostPath(const std::string& windowsPath) const {
  return MapWindowsPath(root_, windowsPath);
}

std::FILE* FakePlatform::CreateTemporaryFileBeside(const std::string& path,
                                                   std::string* temporaryPath) {
  if (failCreate) return nullptr;
  *temporaryPath = path + ".fake-" + std::to_string(++created_);
  const std::string hostPath = HostPath(*temporaryPath);
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path(), ignored);
  if (writeToFullDisk) {
    // The file exists, as it would on a full disk, but the bytes go where no write succeeds.
    if (std::FILE* placeholder = std::fopen(hostPath.c_str(), "w")) std::fclose(placeholder);
    return std::fopen("/dev/full", "w");
  }
  return std::fopen(hostPath.c_str(), "w");
}

bool FakePlatform::ReplaceFile(const std::string& source, const std::string& target) {
  if (failReplace) return false;
  return std::rename(HostPath(source).c_str(), HostPath(target).c_str()) == 0;
}

void FakePlatform::RemoveFile(const std::string& path) {
  removedFiles.push_back(path);
  std::remove(HostPath(path).c_str());
}

}  // namespace pos_video::testing
