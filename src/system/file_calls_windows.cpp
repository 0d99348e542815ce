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

constexpr char kNotARegularFile[] = "not a regular file";

HANDLE HandleOf(std::FILE* file) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))); }

// A text-mode stream over `handle`, which it closes on failure.
file_calls::OpenFile StreamOf(HANDLE handle) {
  file_calls::OpenFile opened;
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_TEXT);
  if (descriptor < 0) {
    opened.failure = std::strerror(errno);
    CloseHandle(handle);
  } else if ((opened.file = _fdopen(descriptor, "wt")) == nullptr) {
    opened.failure = std::strerror(errno);
    _close(descriptor);
  }
  _doserrno = 0;  // What LastFailure reports must come from this file's writes.
  return opened;
}

// Why the file open as `handle` is not one to write in place: a pipe or device, a folder, or a
// reparse point (a link), which was opened itself rather than followed. Empty for a file on disk.
std::string NotARegularFile(HANDLE handle) {
  if (GetFileType(handle) != FILE_TYPE_DISK) return kNotARegularFile;
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileInformationByHandle(handle, &information) == 0) {
    return SystemErrorText(GetLastError());
  }
  const DWORD special = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  return (information.dwFileAttributes & special) != 0 ? kNotARegularFile : "";
}

}  // namespace

namespace file_calls {

OpenFile CreateNew(const std::string& path) {
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return {nullptr, error == ERROR_FILE_EXISTS, SystemErrorText(error)};
  }
  OpenFile created = StreamOf(handle);
  // A file created here that cannot be written through a stream is of no use.
  if (created.file == nullptr) DeleteFileA(path.c_str());
  return created;
}

OpenFile OpenInPlace(const std::string& path) {
  const HANDLE handle =
      CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {nullptr, false, SystemErrorText(GetLastError())};
  const std::string refusal = NotARegularFile(handle);
  if (refusal.empty()) return StreamOf(handle);
  CloseHandle(handle);  // Nothing was written through it.
  return {nullptr, false, refusal};
}

LockAttempt TryLock(std::FILE* file) {
  OVERLAPPED fromTheStart{};
  // The largest length there is: the whole file, however long.
  if (LockFileEx(HandleOf(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                 MAXDWORD, &fromTheStart) != 0) {
    return {{true, ""}, false};
  }
  const DWORD error = GetLastError();
  return {{false, SystemErrorText(error)}, error == ERROR_LOCK_VIOLATION};
}

void Pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

Outcome Empty(std::FILE* file, std::size_t /*bytes*/) {
  // Nothing has been written through the stream yet: the handle still stands at the start.
  if (SetEndOfFile(HandleOf(file)) != 0) return {true, ""};
  return {false, SystemErrorText(GetLastError())};
}

Outcome SyncToDisk(std::FILE* file) {
  if (_commit(_fileno(file)) == 0) return {true, ""};
  return {false, LastFailure()};
}

std::string LastFailure() {
  // The C runtime keeps the system's own error code beside errno.
  if (_doserrno != 0) return SystemErrorText(static_cast<DWORD>(_doserrno));
  return std::strerror(errno != 0 ? errno : EIO);
}

Outcome Replace(const std::string& source, const std::string& target) {
  if (MoveFileExA(source.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
    return {true, ""};
  }
  return {false, SystemErrorText(GetLastError())};
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
  // A name in UTF-8 beyond ASCII (the checker's arguments) by its UTF-16 name; any other in the
  // code page, as always.
  const std::optional<std::wstring> wide = WideFromUtf8(path);
  const int descriptor =
      wide ? _wopen(wide->c_str(), _O_RDONLY | _O_TEXT) : _open(path.c_str(), _O_RDONLY | _O_TEXT);
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
        result.done = true;
        break;
      }
      const int got = _read(descriptor, chunk, sizeof chunk);
      if (got < 0) {
        result.failure = std::strerror(errno);
        result.text.clear();
        break;
      }
      if (got == 0) {
        result.done = true;
        break;
      }
      result.text.append(chunk, static_cast<std::size_t>(got));
    }
  }
  _close(descriptor);  // Opened for reading only: nothing can be lost here.
  return result;
}

}  // namespace pos_video
