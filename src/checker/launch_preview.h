// What the launcher would do for one terminal and search time with an inspected mapping file:
// the messages it shows and the command document it writes, computed without writing anything.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "checker/mapping_report.h"

namespace pos_video {

struct LaunchPreview {
  std::int32_t terminal = 0;
  // None when the launcher cannot read the time it is given.
  std::optional<std::int64_t> searchTime;
  // Every message of the run in order, the loader's included.
  std::vector<std::string> messages;
  // When written, the client is started too.
  bool documentWritten = false;
  // The document's exact text, LF line ends, for the mouse pointer at (0, 0).
  std::string document;
};

LaunchPreview PreviewLaunch(const MappingReport& report, std::int32_t terminal,
                            std::int64_t searchTime);

}  // namespace pos_video
