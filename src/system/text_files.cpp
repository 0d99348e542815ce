#include "system/text_files.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "system/file_calls.h"

namespace pos_video {
namespace {

constexpr int kTemporaryNameAttempts = 100;

std::string ErrnoText() { return std::strerror(errno != 0 ? errno : EIO); }

// Writes, flushes, syncs and closes, checking each; returns the first failure, or empty.
std::string WriteAndClose(std::FILE* file, const std::string& text) {
  std::string failure;
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0 ||
      !file_calls::SyncToDisk(file)) {
    failure = ErrnoText();
  }
  errno = 0;
  if (std::fclose(file) != 0 && failure.empty()) failure = ErrnoText();
  return failure;
}

}  // namespace

FileSave SaveTextFile(const std::string& path, const std::string& text) {
  const std::string stem = path + ".tmp-" + std::to_string(file_calls::ProcessId()) + "-";
  file_calls::NewFile created;
  std::string temporaryPath;
  // Created exclusively, so a leftover of an earlier run is never written into.
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporaryPath = stem + std::to_string(attempt);
    created = file_calls::CreateNew(temporaryPath);
    if (!created.nameTaken) break;
  }
  if (created.file == nullptr) return {false, created.failure};

  std::string failure = WriteAndClose(created.file, text);
  if (failure.empty()) failure = file_calls::Replace(temporaryPath, path);
  if (failure.empty()) return {true, ""};
  file_calls::Remove(temporaryPath);
  return {false, failure};
}

}  // namespace pos_video
