// What the launcher's fuzz targets share: a private scratch folder that stands in for the machine's
// file system, and the checks every message the launcher shows must pass.
//
// A target runs millions of inputs in one process, so the folder is made once, on the first call,
// and removed when the process ends; the fake platform's files and the mapping file live in it.
#pragma once

#include <string>
#include <vector>

namespace pos_video::fuzzing {

// A fresh folder under $TMPDIR (or /tmp), the same for the whole process.
const std::string& ScratchRoot();

// The file's bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Stops the process with a report when a message shown to the user does not end in a line feed
// or would not fit the message buffer with its terminating NUL.
void CheckMessages(const std::vector<std::string>& messages);

// Stops the process with `what` on standard error; libFuzzer then saves the input.
[[noreturn]] void Fail(const std::string& what);

}  // namespace pos_video::fuzzing
