// The platform on a POSIX system that serves a Windows client installed in a Wine prefix: the
// launcher behaves as the Windows program would there, with Windows paths mapped into the prefix.
#pragma once

#include <string>

#include "base/platform.h"

namespace pos_video {

// ${WINEPREFIX}, or $HOME/.wine when it is unset or empty, as Wine itself decides.
std::string WinePrefixFromEnvironment();

class PosixPlatform : public Platform {
 public:
  explicit PosixPlatform(std::string winePrefix) : winePrefix_(std::move(winePrefix)) {}

  // Written to standard error after the caption, since there is no message box to show.
  void ShowMessage(const std::string& text) override;
  FileText ReadFile(const std::string& path) override;
  FileSave SaveFile(const std::string& path, const std::string& text) override;
  // No pointer to be had: the client's window opens at the top left corner.
  CursorPosition ReadCursorPosition() override;
  // Runs the program through `wine`, found on PATH.
  void StartProgram(const ProgramStart& start) override;

 private:
  std::string winePrefix_;
};

}  // namespace pos_video
