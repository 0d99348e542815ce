#include "command_document/window_position.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

namespace pos_video {
namespace {

TEST(WindowPositionTest, TheWindowMovesJustEnoughToStayInTheWorkArea) {
  const ScreenArea screen{0, 0, 1920, 1040};         // 1920 × 1080 less a taskbar at the bottom.
  const ScreenArea leftMonitor{-1280, 40, 0, 1024};  // With a taskbar at its top.
  const struct {
    PointerOnScreen pointer;
    std::int32_t width, height;
    int left, top;
  } cases[] = {
      {{{100, 200}, screen}, 392, 377, 100, 200},   {{{1528, 663}, screen}, 392, 377, 1528, 663},
      {{{1529, 664}, screen}, 392, 377, 1528, 663}, {{{1919, 1079}, screen}, 392, 377, 1528, 663},
      {{{1919, 1079}, {}}, 392, 377, 1919, 1079},   {{{-100, 10}, leftMonitor}, 392, 377, -392, 40},
      {{{10, 10}, screen}, 4000, 3000, 0, 0},       {{{10, 10}, screen}, INT_MIN, INT_MAX, 10, 0},
  };
  for (const auto& test : cases) {
    const CursorPosition window = WindowPosition(test.pointer, test.width, test.height);
    EXPECT_EQ(std::make_pair(window.x, window.y), std::make_pair(test.left, test.top))
        << test.pointer.position.x << ", " << test.pointer.position.y;
  }
}

}  // namespace
}  // namespace pos_video
