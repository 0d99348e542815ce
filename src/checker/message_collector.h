// A platform for running the launcher's own loader and writer inside the checker: it keeps the
// messages they would show, and refuses to write files or start programs, so that checking a
// mapping file can never disturb the client's command document.
#pragma once

#include <string>
#include <vector>

#include "launcher/platform.h"

namespace pos_video {

class MessageCollector : public Platform {
 public:
  void ShowMessage(const std::string& text) override;
  CursorPosition ReadCursorPosition() override;
  void StartProcess(const ProcessStart& start) override;
  std::FILE* CreateTemporaryFileBeside(const std::string& path,
                                       std::string* temporaryPath) override;
  bool ReplaceFile(const std::string& source, const std::string& target) override;
  void RemoveFile(const std::string& path) override;

  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

}  // namespace pos_video
