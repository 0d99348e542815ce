// Where the client's window opens: at the mouse pointer, kept on the pointer's screen.
#pragma once

#include <cstdint>

#include "base/platform.h"

namespace pos_video {

// The top-left corner of a window of `width` × `height` opened at the pointer: moved left or up
// just enough to stay inside the work area where it would reach past its right or bottom edge,
// and moved onto it where the pointer lies left of or above it (a taskbar there). A window larger
// than the work area takes its left and top. Without a work area the pointer's position stands.
CursorPosition WindowPosition(const PointerOnScreen& pointer, std::int32_t width,
                              std::int32_t height);

}  // namespace pos_video
