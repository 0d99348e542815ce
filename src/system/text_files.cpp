#include "system/text_files.h"

#include <cerrno>
#include <string>

#include "system/file_calls.h"

namespace pos_video {
namespace {

constexpr int kTemporaryNameAttempts = 100;
// A launch takes well under a second; a temporary file this old was left by one that was killed.
constexpr double kAbandonedAfterSeconds = 300;
constexpr int kLockWaitMilliseconds = 2000;
constexpr int kLockPollMilliseconds = 20;

// Writes, flushes, syncs and closes, checking each; the first failure wins.
Outcome WriteAndClose(std::FILE* file, const std::string& text) {
  Outcome save{true, ""};
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0) {
    save = {false, file_calls::LastFailure()};
  } else if (const Outcome synced = file_calls::SyncToDisk(file); !synced.done) {
    save = {false, synced.failure};
  }
  if (std::fclose(file) != 0 && save.done) save = {false, file_calls::LastFailure()};
  return save;
}

// Another launch writing the same document takes a few milliseconds; one that holds it longer is
// not waited for: a stuck process must not hang the launcher.
Outcome LockWithin(std::FILE* file) {
  for (int waited = 0;; waited += kLockPollMilliseconds) {
    const file_calls::LockAttempt attempt = file_calls::TryLock(file);
    if (attempt.done || !attempt.busy || waited >= kLockWaitMilliseconds) {
      return {attempt.done, attempt.failure};
    }
    file_calls::Pause(kLockPollMilliseconds);
  }
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
// replaced but may be written (a reader shares it for writing, not for deletion). It is emptied
// only under the lock, so that another save writing it meanwhile is never run into.
Outcome WriteInPlace(const std::string& path, const std::string& text) {
  const file_calls::OpenFile opened = file_calls::OpenInPlace(path);
  if (opened.file == nullptr) return {false, opened.failure};
  Outcome ready = LockWithin(opened.file);
  if (ready.done) ready = file_calls::Empty(opened.file, text.size());
  if (!ready.done) {
    std::fclose(opened.file);  // Nothing was written through it: nothing can be lost.
    return {false, ready.failure};
  }
  return WriteAndClose(opened.file, text);
}

}  // namespace

Outcome SaveTextFile(const std::string& path, const std::string& text) {
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
  Outcome written = WriteAndClose(created.file, text);
  if (!written.done) {
    file_calls::Remove(temporaryPath);
    return written;
  }
  if (file_calls::Replace(temporaryPath, path).done) return {true, ""};
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

SavedFiles::~SavedFiles() {
  for (const std::string& path : paths_) RemoveAbandonedTemporaries(path);
}

Outcome SavedFiles::Save(const std::string& path, const std::string& text) {
  paths_.push_back(path);
  return SaveTextFile(path, text);
}

}  // namespace pos_video
