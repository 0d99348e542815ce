#include "system/posix_platform.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/launch_constants.h"
#include "system/text_files.h"
#include "system/windows_path.h"

namespace pos_video {

std::string WinePrefixFromEnvironment() {
  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix != nullptr && *prefix != '\0') return prefix;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.wine";
}

void PosixPlatform::ShowMessage(const std::string& text) {
  std::string line = std::string(kMessageCaption) + ": " + text;
  // Nothing sensible is left to do when standard error is gone.
  if (std::fwrite(line.data(), 1, line.size(), stderr) != line.size()) return;
  std::fflush(stderr);
}

FileText PosixPlatform::ReadFile(const std::string& path) {
  return ReadTextFile(MapWindowsPath(winePrefix_, path));
}

FileSave PosixPlatform::SaveFile(const std::string& path, const std::string& text) {
  return SaveTextFile(MapWindowsPath(winePrefix_, path), text);
}

CursorPosition PosixPlatform::ReadCursorPosition() { return {}; }

void PosixPlatform::StartProgram(const ProgramStart& start) {
  // wine, the program, then its arguments split at blanks as Windows would split them.
  std::vector<std::string> arguments{"wine", start.program};
  std::size_t position = 0;
  while ((position = start.arguments.find_first_not_of(' ', position)) != std::string::npos) {
    const std::size_t end = start.arguments.find(' ', position);
    arguments.push_back(start.arguments.substr(position, end - position));
    position = end;
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const std::string folder = MapWindowsPath(winePrefix_, start.folder);

  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) == 0) execvp(argv[0], argv.data());
    _exit(127);
  }
  // The launcher ends right after this and does not wait: the client outlives it.
}

}  // namespace pos_video
