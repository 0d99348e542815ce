#include "system/wine_prefix_path.h"

#include <algorithm>

#include "base/ascii_classes.h"

namespace pos_video {

std::string PathInWinePrefix(const std::string& winePrefix, const std::string& windowsPath) {
  std::string mapped = windowsPath;
  std::replace(mapped.begin(), mapped.end(), '\\', '/');
  const bool hasDrive = mapped.size() >= 2 && mapped[1] == ':' && IsAsciiLetter(mapped[0]);
  if (!hasDrive) return mapped;
  mapped[0] = LowerAscii(mapped[0]);
  return winePrefix + "/dosdevices/" + mapped;
}

}  // namespace pos_video
