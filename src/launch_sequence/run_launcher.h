// The launcher's one pass: read the command line, load the mapping, write the command document,
// start the client.
#pragma once

#include <cstdint>
#include <string>

#include "base/platform.h"

namespace pos_video {

// Runs the whole sequence for the command-line text the system handed to the entry, with the
// search placed around `currentTime` unless the time option says otherwise. The client is started
// only when the mapping loaded and the document was saved; every problem has already been shown
// to the user where it was found. Returns the exit code, which is always 0: the audit application
// does not look at it.
int RunLauncher(const std::string& commandLineText, std::int64_t currentTime, Platform& platform);

}  // namespace pos_video
