// The Windows entry: the text Windows hands to WinMain, behind the program's own name, is the
// command-line text the launcher reads its options from.
#include <ctime>

#include "launcher/run_sequence.h"
#include "system/windows_api.h"
#include "system/windows_platform.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previousInstance*/, LPSTR commandLine,
                   int /*showCommand*/) {
  pos_video::WindowsPlatform platform;
  return pos_video::RunLauncher(commandLine != nullptr ? commandLine : "", std::time(nullptr),
                                platform);
}
