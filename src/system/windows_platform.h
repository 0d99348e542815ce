// The platform on Windows: message boxes and the event log, the mouse pointer, CreateProcessA, and
// the C runtime's files in text mode, so the command document's lines end in CR LF as Windows
// programs expect.
#pragma once

#include <string>

#include "base/platform.h"
#include "system/text_files.h"

namespace pos_video {

class WindowsPlatform : public Platform {
 public:
  // A modal box owned by the desktop, with the launcher's caption and a single OK button, once
  // the message is in the Application event log as an error. Text that is UTF-8 beyond ASCII is
  // shown in its own letters (MessageBoxW), any other text in the PC's code page (MessageBoxA).
  void ShowMessage(MessageKind kind, const std::string& text) override;
  // A warning in the Application event log; nothing is shown.
  void RecordWarning(MessageKind kind, const std::string& text) override;
  FileText ReadFile(const std::string& path, std::size_t maxBytes) override;
  // Temporary files that killed launches left beside it go when the platform does: see SavedFiles.
  Outcome SaveFile(const std::string& path, const std::string& text) override;
  bool HasFile(const std::string& path) override;
  // (0, 0) and no work area when the system cannot tell, e.g. on a desktop that is not the
  // user's; the work area of the monitor that holds the pointer, or of the nearest one.
  PointerOnScreen ReadPointer() override;
  // No security attributes, no inherited handles, normal priority only, this process's
  // environment. The new process's handles are closed at once; the launcher never waits.
  Outcome StartProgram(const ProgramStart& start) override;

 private:
  SavedFiles saved_;
};

}  // namespace pos_video
