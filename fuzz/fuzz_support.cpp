#include "fuzz_support.h"

#include <stdlib.h>  // mkdtemp

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "launcher/report_message.h"

namespace pos_video::fuzzing {
namespace {

void RemoveScratchRoot() {
  std::error_code ignored;
  std::filesystem::remove_all(ScratchRoot(), ignored);
}

std::string MakeScratchRoot() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/pos-video-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("pos-video fuzz: cannot make a scratch folder");
    std::abort();
  }
  return pattern;
}

}  // namespace

const std::string& ScratchRoot() {
  static const std::string root = MakeScratchRoot();
  static const int registered = std::atexit(RemoveScratchRoot);
  (void)registered;
  return root;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

void CheckMessages(const std::vector<std::string>& messages) {
  for (const std::string& message : messages) {
    if (message.empty() || message.back() != '\n') Fail("a message does not end in a line feed");
    if (message.size() > static_cast<std::size_t>(kMessageBufferSize - 1)) {
      Fail("a message does not fit the message buffer");
    }
  }
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "pos-video fuzz: %s\n", what.c_str());
  std::abort();
}

}  // namespace pos_video::fuzzing
