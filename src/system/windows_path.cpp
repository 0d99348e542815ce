#include "system/windows_path.h"

#include <algorithm>
#include <cctype>

namespace pos_video {

std::string MapWindowsPath(const std::string& winePrefix, const std::string& windowsPath) {
  std::string mapped = windowsPath;
  std::replace(mapped.begin(), mapped.end(), '\\', '/');
  const bool hasDrive =
      mapped.size() >= 2 && mapped[1] == ':' && std::isalpha(static_cast<unsigned char>(mapped[0]));
  if (!hasDrive) return mapped;
  mapped[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(mapped[0])));
  return winePrefix + "/dosdevices/" + mapped;
}

}  // namespace pos_video
