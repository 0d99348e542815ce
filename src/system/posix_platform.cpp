#include "system/posix_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/launch_constants.h"
#include "system/text_files.h"
#include "system/windows_path.h"

namespace pos_video {

std::string WinePrefixFromEnvironment() {
  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix == nullptr || *prefix == '\0') {
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.wine";
  }
  if (*prefix == '/') return prefix;
  char* folder = getcwd(nullptr, 0);
  const std::string absolute = std::string(folder != nullptr ? folder : ".") + "/" + prefix;
  std::free(folder);
  return absolute;
}

std::string FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = folders.find(':', start);
    std::string folder = folders.substr(start, end - start);
    if (folder.empty()) folder = ".";
    std::string candidate = folder + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) {
      if (candidate[0] == '/') return candidate;
      char* here = getcwd(nullptr, 0);
      candidate = std::string(here != nullptr ? here : ".") + "/" + candidate;
      std::free(here);
      return candidate;
    }
    if (end == std::string::npos) return "";
    start = end + 1;
  }
}

void PosixPlatform::ShowMessage(MessageKind /*kind*/, const std::string& text) {
  std::string line = std::string(kMessageCaption) + ": " + text;
  // Nothing sensible is left to do when standard error is gone.
  if (std::fwrite(line.data(), 1, line.size(), stderr) != line.size()) return;
  std::fflush(stderr);
}

FileText PosixPlatform::ReadFile(const std::string& path, std::size_t maxBytes) {
  return ReadTextFile(MapWindowsPath(winePrefix_, path), maxBytes);
}

FileSave PosixPlatform::SaveFile(const std::string& path, const std::string& text) {
  return saved_.Save(MapWindowsPath(winePrefix_, path), text);
}

bool PosixPlatform::HasFile(const std::string& path) {
  struct stat status {};
  return stat(MapWindowsPath(winePrefix_, path).c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

CursorPosition PosixPlatform::ReadCursorPosition() { return {}; }

StartResult PosixPlatform::StartProgram(const ProgramStart& start) {
  // wine, the program, then its arguments split at blanks as Windows would split them.
  const std::string wine = FindOnPath("wine");
  if (wine.empty()) return {false, "wine is not on PATH"};
  std::vector<std::string> arguments{wine, start.program};
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
    // The client starts with the signals' usual handling, not the launcher's.
    std::signal(SIGPIPE, SIG_DFL);
    std::signal(SIGXFSZ, SIG_DFL);
    const int nowhere = open("/dev/null", O_RDWR);
    const bool detached = nowhere >= 0 && dup2(nowhere, STDIN_FILENO) >= 0 &&
                          dup2(nowhere, STDOUT_FILENO) >= 0 && dup2(nowhere, STDERR_FILENO) >= 0;
    if (detached && setenv("WINEPREFIX", winePrefix_.c_str(), 1) == 0 &&
        chdir(folder.c_str()) == 0) {
      execv(argv[0], argv.data());
    }
    _exit(127);
  }
  if (child < 0) return {false, std::strerror(errno)};
  // The launcher ends right after this and does not wait: the client outlives it.
  return {true, ""};
}

}  // namespace pos_video
