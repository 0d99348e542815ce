// A folder of its own for one test, removed with everything in it when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <set>
#include <string>

namespace pos_video::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    char pattern[] = "/tmp/pos-video-test.XXXXXX";
    EXPECT_NE(mkdtemp(pattern), nullptr);
    path = pattern;
  }
  ~ScratchFolder() { std::filesystem::remove_all(path); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The names in it, sorted, one a line.
  std::string Listing() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      names.insert(entry.path().filename().string());
    }
    std::string listing;
    for (const std::string& name : names) listing += name + "\n";
    return listing;
  }

  std::string path;
};

}  // namespace pos_video::testing
