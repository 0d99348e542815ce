// A platform held in memory: files in a map, messages and program starts recorded.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/platform.h"

namespace pos_video::testing {

class FakePlatform : public Platform {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }

  FileText ReadFile(const std::string& path, std::size_t maxBytes) override {
    const auto found = files.find(path);
    if (found == files.end()) return {false, "", "No such file or directory"};
    return {true, found->second.substr(0, maxBytes + 1), ""};
  }

  FileSave SaveFile(const std::string& path, const std::string& text) override {
    if (unwritable.count(path) != 0) return {false, "Permission denied"};
    files[path] = text;
    return {true, ""};
  }

  bool HasFile(const std::string& path) override { return files.count(path) != 0; }
  CursorPosition ReadCursorPosition() override { return cursor; }
  void StartProgram(const ProgramStart& start) override { starts.push_back(start); }

  std::map<std::string, std::string> files;
  std::set<std::string> unwritable;
  CursorPosition cursor;
  std::vector<std::string> messages;
  std::vector<ProgramStart> starts;
};

}  // namespace pos_video::testing
