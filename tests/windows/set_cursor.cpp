// Puts the mouse pointer at X, Y and checks that the system reports it there.
//
//   set_cursor X Y
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: set_cursor X Y\n");
    return 2;
  }
  const int x = std::atoi(argv[1]);
  const int y = std::atoi(argv[2]);
  POINT point{};
  // The display server may take a moment to move the pointer, and a motion it reports late may
  // move it back: the pointer must still be there after a pause.
  const auto there = [&] { return GetCursorPos(&point) && point.x == x && point.y == y; };
  for (int attempt = 0; attempt < 100; ++attempt) {
    SetCursorPos(x, y);
    Sleep(20);
    if (!there()) continue;
    Sleep(150);
    if (there()) return 0;
  }
  std::fprintf(stderr, "set_cursor: asked for %d, %d; the pointer is at %ld, %ld\n", x, y,
               static_cast<long>(point.x), static_cast<long>(point.y));
  return 1;
}
