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
  // The display server may take a moment to move the pointer.
  for (int attempt = 0; attempt < 100; ++attempt) {
    SetCursorPos(x, y);
    if (GetCursorPos(&point) && point.x == x && point.y == y) return 0;
    Sleep(20);
  }
  std::fprintf(stderr, "set_cursor: asked for %d, %d; the pointer is at %ld, %ld\n", x, y,
               static_cast<long>(point.x), static_cast<long>(point.y));
  return 1;
}
