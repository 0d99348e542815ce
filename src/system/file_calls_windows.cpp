// File operations on Windows, through the C runtime's text mode so that each "\n" reaches the
// file as CR LF and CR LF is read as "\n", as Windows programs expect; files are opened with the
// system's own calls, so that a failure carries the system's reason.
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "system/file_calls.h"
#include "system/text_files.h"
#include "system/windows_api.h"

namespace pos_video {

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

namespace {

file_calls::OpenFile OpenWith(const std::string& path, DWORD creation, DWORD sharing) {
  file_calls::OpenFile opened;
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, sharing, nullptr, creation,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    opened.nameTaken = error == ERROR_FILE_EXISTS;
    opened.failure = SystemErrorText(error);
    return opened;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_TEXT);
  if (descriptor < 0) {
    opened.failure = std::strerror(errno);
    CloseHandle(handle);
  } else if ((opened.file = _fdopen(descriptor, "wt")) == nullptr) {
    opened.failure = std::strerror(errno);
    _close(descriptor);
  }
  // A file created here that cannot be written through a stream is of no use.
  if (opened.file == nullptr && creation == CREATE_NEW) DeleteFileA(path.c_str());
  _doserrno = 0;  // What LastFailure reports must come from this file's writes.
  return opened;
}

}  // namespace

namespace file_calls {

OpenFile CreateNew(const std::string& path) { return OpenWith(path, CREATE_NEW, 0); }

OpenFile OpenEmptied(const std::string& path) {
  return OpenWith(path, CREATE_ALWAYS, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

bool SyncToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0; }

std::string LastFailure() {
  // The C runtime keeps the system's own error code beside errno.
  if (_doserrno != 0) return SystemErrorText(static_cast<DWORD>(_doserrno));
  return std::strerror(errno != 0 ? errno : EIO);
}

std::string Replace(const std::string& source, const std::string& target) {
  if (MoveFileExA(source.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
    return "";
  }
  return SystemErrorText(GetLastError());
}

void Remove(const std::string& path) { DeleteFileA(path.c_str()); }

unsigned long ProcessId() { return GetCurrentProcessId(); }

std::vector<AgedFile> FilesStartingWith(const std::string& prefix) {
  std::vector<AgedFile> files;
  const std::size_t slash = prefix.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? "" : prefix.substr(0, slash + 1);
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((prefix + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    // File times count in 100 ns steps.
    const double age = (static_cast<double>(ticks(now)) - ticks(found.ftLastWriteTime)) / 1e7;
    files.push_back({folder + found.cFileName, age});
  } while (FindNextFileA(search, &found) != 0);
  FindClose(search);
  return files;
}

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
