// This PC's zone as a POSIX system names it: the TZ variable, which the C library's local time
// follows. Without it the library reads a file that names nothing.
#include <cstdlib>

#include "base/platform.h"

namespace pos_video {

std::string LocalTimeZoneName() {
  const char* zone = std::getenv("TZ");
  return zone == nullptr ? "" : std::string("TZ=") + zone;
}

}  // namespace pos_video
