// A fixed local time zone for one test, so that local times convert the same on any machine.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace pos_video::testing {

// Sets TZ for as long as it lives, then puts back the machine's own zone for the other tests.
class TimeZoneScope {
 public:
  explicit TimeZoneScope(const char* zone) {
    if (const char* previous = std::getenv("TZ")) previous_ = previous;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZoneScope() {
    if (previous_) {
      setenv("TZ", previous_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  TimeZoneScope(const TimeZoneScope&) = delete;
  TimeZoneScope& operator=(const TimeZoneScope&) = delete;

 private:
  std::optional<std::string> previous_;
};

}  // namespace pos_video::testing
