// This PC's zone as Windows names it: the key name of its time zone, as the registry and tzutil
// write it. In a file of its own, so that only the programs that ask import the call.
#include "base/platform.h"
#include "system/windows_api.h"

namespace pos_video {

std::string LocalTimeZoneName() {
  DYNAMIC_TIME_ZONE_INFORMATION zone{};
  if (GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return "";
  char name[sizeof zone.TimeZoneKeyName * 2];
  const int size = WideCharToMultiByte(CP_UTF8, 0, zone.TimeZoneKeyName, -1, name,
                                       static_cast<int>(sizeof name), nullptr, nullptr);
  return size > 0 ? name : "";
}

}  // namespace pos_video
