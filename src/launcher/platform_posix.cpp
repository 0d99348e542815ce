#include "launcher/platform_posix.h"

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "launcher/launch_constants.h"
#include "launcher/windows_path.h"

namespace pos_video {
namespace {

// The arguments that follow the program's path on its command line, split at blanks.
std::vector<std::string> ArgumentsAfterProgram(const ProcessStart& start) {
  std::string rest = start.commandLine;
  if (rest.compare(0, start.applicationPath.size(), start.applicationPath) == 0) {
    rest.erase(0, start.applicationPath.size());
  }
  std::vector<std::string> arguments;
  std::size_t position = 0;
  while ((position = rest.find_first_not_of(' ', position)) != std::string::npos) {
    const std::size_t end = rest.find(' ', position);
    arguments.push_back(rest.substr(position, end - position));
    position = end;
  }
  return arguments;
}

}  // namespace

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

CursorPosition PosixPlatform::ReadCursorPosition() { return {}; }

void PosixPlatform::StartProcess(const ProcessStart& start) {
  std::vector<std::string> arguments = ArgumentsAfterProgram(start);
  arguments.insert(arguments.begin(), {"wine", start.applicationPath});
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const std::string directory = MapWindowsPath(winePrefix_, start.currentDirectory);

  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(directory.c_str()) == 0) execvp(argv[0], argv.data());
    _exit(127);
  }
  // The launcher ends right after this and does not wait: the client outlives it.
}

std::FILE* PosixPlatform::CreateTemporaryFileBeside(const std::string& path,
                                                    std::string* temporaryPath) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate =
        path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
    const int descriptor =
        open(MapWindowsPath(winePrefix_, candidate).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (descriptor < 0) {
      if (errno == EEXIST) continue;
      return nullptr;
    }
    std::FILE* file = fdopen(descriptor, "w");
    if (file == nullptr) {
      close(descriptor);
      unlink(MapWindowsPath(winePrefix_, candidate).c_str());
      return nullptr;
    }
    *temporaryPath = candidate;
    return file;
  }
  return nullptr;
}

bool PosixPlatform::ReplaceFile(const std::string& source, const std::string& target) {
  const std::string mappedSource = MapWindowsPath(winePrefix_, source);
  // The data must be on disk before the name points at it, or a crash could leave an empty file.
  const int descriptor = open(mappedSource.c_str(), O_RDONLY);
  if (descriptor < 0) return false;
  const bool synced = fsync(descriptor) == 0;
  const bool closed = close(descriptor) == 0;
  if (!synced || !closed) return false;
  return rename(mappedSource.c_str(), MapWindowsPath(winePrefix_, target).c_str()) == 0;
}

void PosixPlatform::RemoveFile(const std::string& path) {
  unlink(MapWindowsPath(winePrefix_, path).c_str());
}

}  // namespace pos_video
