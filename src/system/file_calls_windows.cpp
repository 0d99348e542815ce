// File operations on Windows, through the C runtime's text mode so that each "\n" reaches the
// file as CR LF and CR LF is read as "\n", as Windows programs expect.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "system/file_calls.h"
#include "system/text_files.h"
#include "system/windows_api.h"

namespace pos_video {
namespace {

std::string SystemErrorText(DWORD error) {
  char buffer[512];
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  // The system's texts end in a line break, which would break the message's own line.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  return text.empty() ? "error " + std::to_string(error) : text;
}

}  // namespace

namespace file_calls {

NewFile CreateNew(const std::string& path) {
  NewFile created;
  const int descriptor =
      _open(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_TEXT, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) {
    created.nameTaken = errno == EEXIST;
    created.failure = std::strerror(errno);
    return created;
  }
  created.file = _fdopen(descriptor, "wt");
  if (created.file == nullptr) {
    created.failure = std::strerror(errno);
    _close(descriptor);
    DeleteFileA(path.c_str());
  }
  return created;
}

bool SyncToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0; }

std::string Replace(const std::string& source, const std::string& target) {
  if (MoveFileExA(source.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
    return "";
  }
  return SystemErrorText(GetLastError());
}

void Remove(const std::string& path) { DeleteFileA(path.c_str()); }

unsigned long ProcessId() { return GetCurrentProcessId(); }

}  // namespace file_calls

FileText ReadTextFile(const std::string& path, std::size_t maxBytes) {
  FileText result;
  const int descriptor = _open(path.c_str(), _O_RDONLY | _O_TEXT);
  if (descriptor < 0) {
    result.failure = std::strerror(errno);
    return result;
  }
  // Only a file on disk: a pipe or a device could block for ever or never end.
  if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor))) != FILE_TYPE_DISK) {
    result.failure = "not a regular file";
  } else {
    char chunk[65536];
    for (;;) {
      if (result.text.size() > maxBytes) {
        result.read = true;
        break;
      }
      const int got = _read(descriptor, chunk, sizeof chunk);
      if (got < 0) {
        result.failure = std::strerror(errno);
        result.text.clear();
        break;
      }
      if (got == 0) {
        result.read = true;
        break;
      }
      result.text.append(chunk, static_cast<std::size_t>(got));
    }
  }
  _close(descriptor);  // Opened for reading only: nothing can be lost here.
  return result;
}

}  // namespace pos_video
