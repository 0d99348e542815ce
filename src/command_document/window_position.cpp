#include "command_document/window_position.h"

#include <algorithm>

namespace pos_video {
namespace {

// In 64 bits, as a size from the file may be near the 32-bit limits; the result is `low`, or lies
// between it and `at`, so it is an int again.
int Kept(int at, std::int32_t size, int low, int high) {
  const std::int64_t last = static_cast<std::int64_t>(high) - size;
  return static_cast<int>(std::max<std::int64_t>(low, std::min<std::int64_t>(at, last)));
}

}  // namespace

CursorPosition WindowPosition(const PointerOnScreen& pointer, std::int32_t width,
                              std::int32_t height) {
  if (!pointer.workArea) return pointer.position;
  const ScreenArea& area = *pointer.workArea;
  return {Kept(pointer.position.x, width, area.left, area.right),
          Kept(pointer.position.y, height, area.top, area.bottom)};
}

}  // namespace pos_video
