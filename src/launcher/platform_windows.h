// The platform on Windows: message boxes, the mouse pointer, CreateProcessA, and the C runtime's
// files in text mode, so the command document's lines end in CR LF as Windows programs expect.
#pragma once

#include <string>

#include "launcher/platform.h"

namespace pos_video {

class WindowsPlatform : public Platform {
 public:
  // A modal box owned by the desktop, with the launcher's caption and a single OK button.
  void ShowMessage(const std::string& text) override;
  // (0, 0) when the system cannot tell, e.g. on a desktop that is not the user's.
  CursorPosition ReadCursorPosition() override;
  void StartProcess(const ProcessStart& start) override;
  std::FILE* CreateTemporaryFileBeside(const std::string& path,
                                       std::string* temporaryPath) override;
  bool ReplaceFile(const std::string& source, const std::string& target) override;
  void RemoveFile(const std::string& path) override;
};

}  // namespace pos_video
