// The platform on a POSIX system that serves a Windows client installed in a Wine prefix: the
// launcher behaves as the Windows program would there, with Windows paths mapped into the prefix.
#pragma once

#include <string>

#include "base/platform.h"
#include "system/text_files.h"

namespace pos_video {

// ${WINEPREFIX}, or $HOME/.wine when it is unset or empty, as Wine itself decides; a relative
// prefix is taken from the current folder and made absolute, since the client starts elsewhere.
std::string WinePrefixFromEnvironment();

class PosixPlatform : public Platform {
 public:
  explicit PosixPlatform(std::string winePrefix) : winePrefix_(std::move(winePrefix)) {}

  // Written to standard error after the caption, since there is no message box to show. A
  // message that cannot be written is dropped: the launch goes on.
  void ShowMessage(MessageKind kind, const std::string& text) override;
  FileText ReadFile(const std::string& path, std::size_t maxBytes) override;
  // Temporary files that killed launches left beside it go when the platform does: see SavedFiles.
  Outcome SaveFile(const std::string& path, const std::string& text) override;
  bool HasFile(const std::string& path) override;
  // No pointer and no screen to be had: the client's window opens at the top left corner.
  PointerOnScreen ReadPointer() override;
  // Runs the program through `wine`, found on PATH before the change of folder, with the prefix
  // in WINEPREFIX and standard input, output and error on /dev/null: the client must not hold
  // the launcher's caller, which may be waiting for the launcher's output to end.
  Outcome StartProgram(const ProgramStart& start) override;

 private:
  std::string winePrefix_;
  SavedFiles saved_;
};

}  // namespace pos_video
