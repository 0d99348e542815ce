// Runs the real launcher executable as the audit application would, and measures it.
//
// The stress tests need what only a separate process shows: its peak memory (the kernel's
// maximum resident set size) and its wall-clock time, both as /usr/bin/time reports them, next to
// what it showed, wrote and started. Each run gets a scratch folder with the mapping file, a Wine
// prefix of its own and a stand-in `wine` that records that it was started.
#pragma once

#include <string>
#include <vector>

namespace pos_video::testing {

struct LauncherRun {
  int exitStatus = -1;  // -1 unless the process exited normally.
  std::string standardError;
  long peakMemoryKilobytes = 0;
  double seconds = 0;
  bool documentSaved = false;
  std::string document;      // Its bytes when saved.
  std::string clientFolder;  // The names in the client's folder afterwards, one a line.
  bool clientStarted = false;
};

// Runs `launcher` with `arguments` in a fresh folder holding `mappingFile` as termToInput.xml.
LauncherRun RunLauncherProcess(const std::string& launcher,
                               const std::vector<std::string>& arguments,
                               const std::string& mappingFile);

}  // namespace pos_video::testing
