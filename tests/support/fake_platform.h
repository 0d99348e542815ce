// A platform held in memory: files in a map, messages and program starts recorded.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/platform.h"

namespace pos_video::testing {

class FakePlatform : public Platform {
 public:
  void ShowMessage(MessageKind kind, const std::string& text) override {
    messages.push_back(text);
    kinds.push_back(kind);
  }
  void RecordWarning(MessageKind kind, const std::string& text) override {
    warnings.push_back({kind, text});
  }

  FileText ReadFile(const std::string& path, std::size_t maxBytes) override {
    const auto found = files.find(path);
    if (found == files.end()) return {{false, "No such file or directory"}, ""};
    return {{true, ""}, found->second.substr(0, maxBytes + 1)};
  }

  Outcome SaveFile(const std::string& path, const std::string& text) override {
    if (unwritable.count(path) != 0) return {false, "Permission denied"};
    files[path] = text;
    return {true, ""};
  }

  bool HasFile(const std::string& path) override { return files.count(path) != 0; }
  PointerOnScreen ReadPointer() override { return pointer; }
  Outcome StartProgram(const ProgramStart& start) override {
    starts.push_back(start);
    if (!clientStartFailure.empty()) return {false, clientStartFailure};
    return {true, ""};
  }

  std::map<std::string, std::string> files;
  std::set<std::string> unwritable;
  PointerOnScreen pointer;
  std::string clientStartFailure;  // When set, every start fails with this reason.
  std::vector<std::string> messages;
  std::vector<MessageKind> kinds;  // Of each message, in the same order.
  std::vector<std::pair<MessageKind, std::string>> warnings;
  std::vector<ProgramStart> starts;
};

}  // namespace pos_video::testing
