#include <algorithm>
#include <climits>

#include "system/windows_api.h"

namespace pos_video {

std::optional<std::wstring> WideFromUtf8(const std::string& text) {
  const bool beyondAscii = std::any_of(
      text.begin(), text.end(), [](char byte) { return static_cast<unsigned char>(byte) > 127; });
  if (!beyondAscii || text.size() > INT_MAX) return std::nullopt;
  const int bytes = static_cast<int>(text.size());
  // Invalid sequences fail the call rather than become replacement characters.
  const int characters =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), bytes, nullptr, 0);
  if (characters <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(characters), L'\0');
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), bytes, wide.data(),
                          characters) != characters) {
    return std::nullopt;
  }
  return wide;
}

std::optional<std::string> Utf8FromWide(const std::wstring& text) {
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX) return std::nullopt;
  const int characters = static_cast<int>(text.size());
  // Lone surrogates fail the call rather than become replacement characters.
  const int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), characters,
                                        nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::nullopt;
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), characters, utf8.data(),
                          bytes, nullptr, nullptr) != bytes) {
    return std::nullopt;
  }
  return utf8;
}

}  // namespace pos_video
