// A fixed local time zone for one test, so that local times convert the same on any machine.
#pragma once

#include <ctime>

#include "support/variable_scope.h"

namespace pos_video::testing {

// Sets TZ for as long as it lives, then puts back the machine's own zone for the other tests.
class TimeZoneScope : public VariableScope {
 public:
  explicit TimeZoneScope(const char* zone) : VariableScope("TZ", zone, tzset) {}
};

}  // namespace pos_video::testing
