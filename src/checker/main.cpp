// The mapping checker's entry: a console program, on Windows too, since integrators run it from a
// command prompt and read what it prints.
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "checker/checker_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return pos_video::RunChecker(arguments, std::time(nullptr), std::cout, std::cerr);
}
