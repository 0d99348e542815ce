#include "helper_support.h"

#include <windows.h>

#include <vector>

namespace pos_video_demo {

bool ReadWholeFile(const std::string& path, std::string* contents) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string read;
  char chunk[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr) != 0) && got > 0) {
    read.append(chunk, got);
  }
  CloseHandle(file);
  if (!ok) return false;
  *contents = read;
  return true;
}

bool WriteWholeFile(const std::string& path, const std::string& contents) {
  const std::string part = path + ".part";
  HANDLE file = CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      contents.empty() || (WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()),
                                     &written, nullptr) != 0 &&
                           written == contents.size());
  if (CloseHandle(file) == 0 || !ok) return false;
  return MoveFileExA(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::string EnvironmentVariable(const char* name, const std::string& fallback) {
  const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return fallback;
  std::vector<char> value(size);
  if (GetEnvironmentVariableA(name, value.data(), size) >= size) return fallback;
  return value.data();
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string ModulePath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

}  // namespace pos_video_demo
