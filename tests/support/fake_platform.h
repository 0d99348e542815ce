// A platform that records what the launcher asks of the system and fails on request.
//
// Files are real, under a scratch root, at the same places the native build would put them
// ("C:\x\y" lands in <root>/dosdevices/c:/x/y), so the document's bytes can be read back.
#pragma once

#include <string>
#include <vector>

#include "launcher/platform.h"

namespace pos_video::testing {

class FakePlatform : public Platform {
 public:
  explicit FakePlatform(std::string root) : root_(std::move(root)) {}

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  CursorPosition ReadCursorPosition() override { return cursor; }
  void StartProcess(const ProcessStart& start) override { starts.push_back(start); }
  std::FILE* CreateTemporaryFileBeside(const std::string& path,
                                       std::string* temporaryPath) override;
  bool ReplaceFile(const std::string& source, const std::string& target) override;
  void RemoveFile(const std::string& path) override;

  // Where a Windows path lands on this machine.
  std::string HostPath(const std::string& windowsPath) const;

  // What to answer and when to fail.
  CursorPosition cursor;
  bool failCreate = false;
  bool failReplace = false;
  bool writeToFullDisk = false;  // Every write of the temporary file fails as on a full disk.

  // What was asked.
  std::vector<std::string> messages;
  std::vector<ProcessStart> starts;
  std::vector<std::string> removedFiles;

 private:
  std::string root_;
  int created_ = 0;
};

}  // namespace pos_video::testing
