// The native entry: the program's arguments joined by blanks are the command-line text Windows
// would hand to the launcher.
#include <csignal>
#include <ctime>
#include <string>

#include "launch_sequence/run_launcher.h"
#include "system/posix_platform.h"

int main(int argc, char** argv) {
  // A caller that closed our standard error must not end the launch at the first message.
  std::signal(SIGPIPE, SIG_IGN);
  // Nor a file-size limit (ulimit -f) at the document's first byte: the write fails instead, with
  // its reason, and the save cleans up after it.
  std::signal(SIGXFSZ, SIG_IGN);
  std::string commandLineText;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLineText += ' ';
    commandLineText += argv[i];
  }
  pos_video::PosixPlatform platform(pos_video::WinePrefixFromEnvironment());
  return pos_video::RunLauncher(commandLineText, std::time(nullptr), platform);
}
