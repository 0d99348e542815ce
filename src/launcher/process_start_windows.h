// Starting a program on Windows, with the system calls passed in.
//
// The start's arguments (flags, inheritance, environment, the records handed over) cannot be seen
// from outside the started process, and Wine even reports every process's priority class as
// normal whatever was asked. So the layer makes its calls through this seam, and a test hands it
// recording stand-ins for CreateProcessA and CloseHandle.
#pragma once

#include "launcher/platform.h"
#include "launcher/windows_api.h"

namespace pos_video {

struct ProcessStartCalls {
  decltype(&::CreateProcessA) createProcess;
  decltype(&::CloseHandle) closeHandle;
};

// Starts `start.applicationPath` with `start.commandLine` in `start.currentDirectory`: no security
// attributes, no inherited handles, normal priority only, this process's environment, startup
// information all zero but its size. Closes the new process's handle, then its thread's, at once
// and never waits. A failed start is not reported.
void StartProcessThrough(const ProcessStart& start, const ProcessStartCalls& calls);

}  // namespace pos_video
