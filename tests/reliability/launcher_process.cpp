#include "reliability/launcher_process.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "support/scratch_directory.h"

namespace pos_video::testing {
namespace {

constexpr char kClientFolder[] = "/prefix/dosdevices/c:/Program Files/Korvane/Client";

constexpr char kTimeProgram[] = "/usr/bin/time";

// Starts the launcher under /usr/bin/time, which reports its peak memory. The launcher must not be
// forked from this process directly: a child's peak counts the pages it shares with its parent
// until it replaces itself, and the test process holds the input it just built.
pid_t Start(const std::string& launcher, const std::vector<std::string>& arguments,
            const std::string& folder) {
  std::vector<std::string> environment = {"PATH=" + folder + "/bin:/usr/bin:/bin",
                                          "WINEPREFIX=" + folder + "/prefix", "TZ=UTC0"};
  // Sanitizer settings, when the suite runs under them, must reach the launcher too.
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
    if (const char* value = std::getenv(name))
      environment.push_back(std::string(name) + "=" + value);
  }
  std::vector<std::string> command = {kTimeProgram,         "-f",    "%M %e", "-o",
                                      folder + "/measured", launcher};
  command.insert(command.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : command) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& variable : environment) envp.push_back(variable.data());
  envp.push_back(nullptr);
  const std::string errorPath = folder + "/stderr";
  const std::string store = folder + "/store";

  // Only async-signal-safe calls between fork and exec: the test process may hold locks.
  const pid_t child = fork();
  if (child == 0) {
    const int error = open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (error < 0 || dup2(error, 2) < 0 || chdir(store.c_str()) != 0) _exit(127);
    execve(kTimeProgram, argv.data(), envp.data());
    _exit(127);
  }
  return child;
}

}  // namespace

LauncherRun RunLauncherProcess(const std::string& launcher,
                               const std::vector<std::string>& arguments,
                               const std::string& mappingFile) {
  ScratchDirectory scratch;
  const std::string folder = scratch.path();
  WriteFileBytes(folder + "/store/termToInput.xml", mappingFile);
  std::filesystem::create_directories(folder + kClientFolder);
  WriteFileBytes(folder + "/bin/wine", "#!/bin/sh\n: > \"" + folder + "/started\"\n");
  chmod((folder + "/bin/wine").c_str(), 0755);

  LauncherRun run;
  const pid_t child = Start(launcher, arguments, folder);
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    run.exitStatus = WEXITSTATUS(status);
  }
  // Its last line is "<peak KB> <seconds>"; a line about a failing exit may come first.
  std::istringstream measured(ReadFileBytes(folder + "/measured"));
  std::string line;
  while (std::getline(measured, line)) {
    std::istringstream(line) >> run.peakMemoryKilobytes >> run.seconds;
  }
  run.standardError = ReadFileBytes(folder + "/stderr");
  const std::string document = folder + kClientFolder + "/KvCmdLine.xml";
  run.documentSaved = FileExists(document);
  run.clientFolder = ListDirectory(folder + kClientFolder);
  if (run.documentSaved) run.document = ReadFileBytes(document);
  // The launcher does not wait for the client; give the stand-in a moment when one was due.
  for (int waited = 0; run.documentSaved && waited < 100; ++waited) {
    if (FileExists(folder + "/started")) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  run.clientStarted = FileExists(folder + "/started");
  return run;
}

}  // namespace pos_video::testing
