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

}  // namespace pos_video
