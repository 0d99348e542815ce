// One launch up to the client's start, written once: the launcher runs it, and the checker's
// preview runs it with stand-ins for the box and the document file, so that what the preview shows
// is what the launcher does.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/launch_request.h"
#include "base/platform.h"
#include "mapping/terminal_mapping.h"
#include "search_time/store_clock.h"
#include "search_time/time_option.h"

namespace pos_video {

// Loads the mapping into the table and the settings, showing its problems through the sink;
// false when nothing was loaded.
using MappingLoad = std::function<bool(MessageSink&, TerminalMappingTable*, LaunchSettings*)>;

// How far a launch got, and what it worked out on the way: a record of the launch prepared, not
// an Outcome (which is only ever a system call's result).
struct PreparedLaunch {
  // None when the time cannot be read: the launch ends before the mapping file is read.
  std::optional<PcSearchTime> pcSearchTime;
  LaunchSettings settings;
  // The terminal's zone and clock offset, once the mapping is loaded.
  TerminalClock clock;
  // The search time on the store's clocks; none when the terminal's zone cannot be used or
  // never uses the abbreviation written with the time.
  std::optional<StoreClockTime> storeTime;
  // When written, the client is to be started.
  bool documentWritten = false;
};

// Reads the time the request asks for, loads the mapping, moves the time onto the terminal's
// store clock and writes the command document to `documentPath` for a window opened at the
// pointer. Each step shows its own problems through `messages` and ends the launch.
PreparedLaunch PrepareLaunch(const LaunchRequest& request, std::int64_t currentTime,
                             const MappingLoad& load, const std::string& documentPath,
                             const PointerOnScreen& pointer, FileSaver& files,
                             MessageSink& messages,
                             LocalTimeConversion localTimeSeconds = LocalTimeSeconds);

}  // namespace pos_video
