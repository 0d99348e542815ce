#include "launcher/platform_windows.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>

#include "launcher/launch_constants.h"
#include "launcher/process_start_windows.h"
#include "launcher/windows_api.h"

namespace pos_video {

void WindowsPlatform::ShowMessage(const std::string& text) {
  MessageBoxA(GetDesktopWindow(), text.c_str(), kMessageCaption, MB_OK);
}

CursorPosition WindowsPlatform::ReadCursorPosition() {
  POINT point{};
  // On failure the point stays at (0, 0), which is where the client's window then opens.
  GetCursorPos(&point);
  return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

void WindowsPlatform::StartProcess(const ProcessStart& start) {
  StartProcessThrough(start, {&::CreateProcessA, &::CloseHandle});
}

std::FILE* WindowsPlatform::CreateTemporaryFileBeside(const std::string& path,
                                                      std::string* temporaryPath) {
  const std::string stem = path + ".tmp-" + std::to_string(GetCurrentProcessId()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate = stem + std::to_string(attempt);
    // Created exclusively, so a leftover of an earlier run is never written into; text mode, so
    // each "\n" reaches the file as CR LF.
    const int descriptor =
        _open(candidate.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_TEXT, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
      if (errno == EEXIST) continue;
      return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "wt");
    if (file == nullptr) {
      _close(descriptor);
      DeleteFileA(candidate.c_str());
      return nullptr;
    }
    *temporaryPath = candidate;
    return file;
  }
  return nullptr;
}

bool WindowsPlatform::ReplaceFile(const std::string& source, const std::string& target) {
  // The data must be on disk before the name points at it, or a crash could leave an empty file.
  HANDLE file = CreateFileA(source.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool flushed = FlushFileBuffers(file) != 0;
  const bool closed = CloseHandle(file) != 0;
  if (!flushed || !closed) return false;
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void WindowsPlatform::RemoveFile(const std::string& path) { DeleteFileA(path.c_str()); }

}  // namespace pos_video
