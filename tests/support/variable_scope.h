// An environment variable set for one test, then put back for the others: the tests share one
// process.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace pos_video::testing {

class VariableScope {
 public:
  // A null `value` unsets the variable; `changed`, if given, runs after each change.
  VariableScope(const char* name, const char* value, void (*changed)() = nullptr)
      : name_(name), changed_(changed) {
    if (const char* previous = std::getenv(name)) previous_ = previous;
    Set(value);
  }
  ~VariableScope() { Set(previous_ ? previous_->c_str() : nullptr); }
  VariableScope(const VariableScope&) = delete;
  VariableScope& operator=(const VariableScope&) = delete;

 private:
  void Set(const char* value) {
    value != nullptr ? setenv(name_, value, 1) : unsetenv(name_);
    if (changed_ != nullptr) changed_();
  }

  const char* name_;
  void (*changed_)();
  std::optional<std::string> previous_;
};

}  // namespace pos_video::testing
