// The mapping checker's entry: a console program, on Windows too, since integrators run it from a
// command prompt and read what it prints.
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "checker/checker_run.h"
#include "system/console_host.h"
#include "system/text_files.h"

namespace {

// The file named on the command line is a path of this system, read as the launcher reads its own.
class HostFiles : public pos_video::FileReader {
 public:
  pos_video::FileText ReadFile(const std::string& path, std::size_t maxBytes) override {
    return pos_video::ReadTextFile(path, maxBytes);
  }
};

}  // namespace

int main(int argc, char** argv) {
  HostFiles files;
  pos_video::HostFolders folders;
  return pos_video::RunChecker(pos_video::ProgramArguments(argc, argv), std::time(nullptr), files,
                               folders, std::cout, std::cerr);
}
