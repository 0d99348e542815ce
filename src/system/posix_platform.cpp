#include "system/posix_platform.h"

#include <fcntl.h>
#include <spawn.h>
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
#include "system/wine_prefix_path.h"

namespace pos_video {
namespace {

// A relative path made absolute from the folder the launcher runs in.
std::string FromCurrentFolder(const std::string& path) {
  char* folder = getcwd(nullptr, 0);
  std::string absolute = std::string(folder != nullptr ? folder : ".") + "/" + path;
  std::free(folder);
  return absolute;
}

// The absolute path of `program` as the shell would find it on PATH, or empty.
std::string FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = folders.find(':', start);
    std::string candidate = folders.substr(start, end - start);
    if (candidate.empty()) candidate = ".";
    candidate.append("/").append(program);
    if (access(candidate.c_str(), X_OK) == 0) {
      return candidate[0] == '/' ? candidate : FromCurrentFolder(candidate);
    }
    if (end == std::string::npos) return "";
    start = end + 1;
  }
}

}  // namespace

std::string WinePrefixFromEnvironment() {
  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix == nullptr || *prefix == '\0') {
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.wine";
  }
  if (*prefix == '/') return prefix;
  return FromCurrentFolder(prefix);
}

void PosixPlatform::ShowMessage(MessageKind /*kind*/, const std::string& text) {
  std::string line = std::string(kMessageCaption) + ": " + text;
  // Nothing sensible is left to do when standard error is gone.
  if (std::fwrite(line.data(), 1, line.size(), stderr) != line.size()) return;
  std::fflush(stderr);
}

FileText PosixPlatform::ReadFile(const std::string& path, std::size_t maxBytes) {
  return ReadTextFile(PathInWinePrefix(winePrefix_, path), maxBytes);
}

Outcome PosixPlatform::SaveFile(const std::string& path, const std::string& text) {
  return saved_.Save(PathInWinePrefix(winePrefix_, path), text);
}

bool PosixPlatform::HasFile(const std::string& path) {
  struct stat status {};
  return stat(PathInWinePrefix(winePrefix_, path).c_str(), &status) == 0 &&
         !S_ISDIR(status.st_mode);
}

PointerOnScreen PosixPlatform::ReadPointer() { return {}; }

Outcome PosixPlatform::StartProgram(const ProgramStart& start) {
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
  argv.reserve(arguments.size() + 1);
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const std::string folder = PathInWinePrefix(winePrefix_, start.folder);

  // The client gets the prefix the launcher used; the launcher ends right after, so its own
  // environment may change.
  if (setenv("WINEPREFIX", winePrefix_.c_str(), 1) != 0) return {false, std::strerror(errno)};
  std::fflush(nullptr);
  // posix_spawn rather than fork: no copy of a process that holds a large terminal table (the
  // copy cost a tenth of a launch at 10,000 terminals), and a failure in the child, such as a
  // folder that cannot be entered, is reported here.
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  sigset_t usualHandling;
  sigemptyset(&usualHandling);
  // The client starts with the signals' usual handling, not the launcher's.
  sigaddset(&usualHandling, SIGPIPE);
  sigaddset(&usualHandling, SIGXFSZ);
  int error = posix_spawnattr_setsigdefault(&attributes, &usualHandling);
  if (error == 0) error = posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  if (error == 0) {
    error = posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDWR, 0);
  }
  if (error == 0) error = posix_spawn_file_actions_adddup2(&actions, STDIN_FILENO, STDOUT_FILENO);
  if (error == 0) error = posix_spawn_file_actions_adddup2(&actions, STDIN_FILENO, STDERR_FILENO);
  if (error == 0) error = posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t child = 0;
  if (error == 0) error = posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) return {false, std::strerror(error)};
  // The launcher ends right after this and does not wait: the client outlives it.
  return {true, ""};
}

}  // namespace pos_video
