#include "system/text_files.h"

#include <cerrno>
#include <string>

#include "system/file_calls.h"

namespace pos_video {
namespace {

constexpr int kTemporaryNameAttempts = 100;
// A launch takes well under a second; a temporary file this old was left by one that was killed.
constexpr double kAbandonedAfterSeconds = 300;

// Writes, flushes, syncs and closes, checking each; returns the first failure, or empty.
std::string WriteAndClose(std::FILE* file, const std::string& text) {
  std::string failure;
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0 ||
      !file_calls::SyncToDisk(file)) {
    failure = file_calls::LastFailure();
  }
  if (std::fclose(file) != 0 && failure.empty()) failure = file_calls::LastFailure();
  return failure;
}

// "<document>.tmp-<process>-<attempt>", as this file names its temporary files.
bool IsTemporaryName(const std::string& rest) {
  std::size_t dashes = 0;
  for (const char c : rest) {
    if (c == '-') {
      ++dashes;
    } else if (c < '0' || c > '9') {
      return false;
    }
  }
  return dashes == 1 && rest.front() != '-' && rest.back() != '-';
}

// The plain overwrite, for a folder that refuses new files or a document that cannot be
// replaced but may be written (a reader shares it for writing, not for deletion).
FileSave WriteInPlace(const std::string& path, const std::string& text) {
  const file_calls::OpenFile opened = file_calls::OpenEmptied(path);
  if (opened.file == nullptr) return {false, opened.failure};
  const std::string failure = WriteAndClose(opened.file, text);
  return {failure.empty(), failure};
}

}  // namespace

FileSave SaveTextFile(const std::string& path, const std::string& text) {
  const std::string stem = path + ".tmp-" + std::to_string(file_calls::ProcessId()) + "-";
  file_calls::OpenFile created;
  std::string temporaryPath;
  // Created exclusively, so a leftover of an earlier run is never written into.
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporaryPath = stem + std::to_string(attempt);
    created = file_calls::CreateNew(temporaryPath);
    if (!created.nameTaken) break;
  }
  if (created.file == nullptr) return WriteInPlace(path, text);

  // A document that could not be written whole is not put in place, nor written over the old
  // one: whatever failed here (a full disk) would fail there too and leave it half-written.
  const std::string failure = WriteAndClose(created.file, text);
  if (!failure.empty()) {
    file_calls::Remove(temporaryPath);
    return {false, failure};
  }
  if (file_calls::Replace(temporaryPath, path).empty()) return {true, ""};
  file_calls::Remove(temporaryPath);
  return WriteInPlace(path, text);
}

void RemoveAbandonedTemporaries(const std::string& path) {
  const std::string stem = path + ".tmp-";
  for (const file_calls::AgedFile& file : file_calls::FilesStartingWith(stem)) {
    if (IsTemporaryName(file.path.substr(stem.size())) &&
        file.ageSeconds > kAbandonedAfterSeconds) {
      file_calls::Remove(file.path);
    }
  }
}

}  // namespace pos_video
