// The Windows entry: the command line Windows holds, in UTF-8 and behind the program's own name,
// is the command-line text the launcher reads its options from. Read as Unicode, a caller's
// characters that the PC's code page cannot hold (a narrow no-break space before "PM") arrive
// whole; for ASCII text it is the very text WinMain is handed.
#include <ctime>
#include <optional>
#include <string>

#include "base/command_line_option.h"
#include "launch_sequence/run_launcher.h"
#include "system/windows_api.h"
#include "system/windows_platform.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previousInstance*/, LPSTR commandLine,
                   int /*showCommand*/) {
  pos_video::WindowsPlatform platform;
  const wchar_t* wide = GetCommandLineW();
  const std::optional<std::string> utf8 =
      wide != nullptr ? pos_video::Utf8FromWide(wide) : std::nullopt;
  // A command line UTF-8 cannot hold is read as before, in the code page.
  const std::string text = utf8 ? pos_video::TextAfterProgramName(*utf8)
                                : std::string(commandLine != nullptr ? commandLine : "");
  return pos_video::RunLauncher(text, std::time(nullptr), platform);
}
