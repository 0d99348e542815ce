#include <climits>

#include "system/console_host.h"
#include "system/windows_api.h"

namespace pos_video {
namespace {

// `text` in UTF-8, a lone surrogate becoming U+FFFD instead of failing the whole text as
// Utf8FromWide does: an argument or a file name is always passed on, marked where it cannot be
// held.
std::string Utf8WithReplacements(const std::wstring& text) {
  if (text.empty() || text.size() > INT_MAX) return "";
  const int length = static_cast<int>(text.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return "";
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

// A path for the W calls: UTF-8 as it is, any other text in the code page, as the A calls read it.
std::wstring WidePath(const std::string& path) {
  if (const std::optional<std::wstring> wide = WideFromUtf8(path)) return *wide;
  if (path.empty() || path.size() > INT_MAX) return L"";
  const int length = static_cast<int>(path.size());
  const int characters = MultiByteToWideChar(CP_ACP, 0, path.data(), length, nullptr, 0);
  if (characters <= 0) return L"";
  std::wstring wide(static_cast<std::size_t>(characters), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), length, wide.data(), characters);
  return wide;
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (words == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8WithReplacements(words[i]));
  LocalFree(words);
  return arguments;
}

PathConventions HostFolders::Conventions() const { return {'\\', true, true}; }

PathKind HostFolders::KindOf(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kFolder : PathKind::kFile;
}

FolderListing HostFolders::ListFolder(const std::string& path) {
  FolderListing listing;
  const char last = path.empty() ? '\\' : path.back();
  const std::string pattern = path + (last == '\\' || last == '/' || last == ':' ? "*" : "\\*");
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(WidePath(pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    listing.done = error == ERROR_FILE_NOT_FOUND;  // A drive's empty root.
    if (!listing.done) listing.failure = SystemErrorText(error);
    return listing;
  }
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    // A reparse point (a link or junction) to a folder is not searched.
    const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                        (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
    listing.entries.push_back({Utf8WithReplacements(name), folder});
  } while (FindNextFileW(search, &found) != 0);
  const DWORD error = GetLastError();
  FindClose(search);
  listing.done = error == ERROR_NO_MORE_FILES;
  if (!listing.done) {
    listing.failure = SystemErrorText(error);
    listing.entries.clear();
  }
  return listing;
}

}  // namespace pos_video
