// Runs the launcher's whole sequence on arbitrary command lines and mapping files, with the
// recording fake platform in place of the system.
//
// The input up to its first NUL byte is the command-line text (the system never hands the entry a
// NUL); the rest, when there is a NUL, is the mapping file "termToInput.xml" in the current
// folder, which is otherwise absent. Whatever the input, the run must end with exit code 0, start
// the client exactly when a whole document was saved, leave no temporary file behind and show
// only messages that end in a line feed and fit the message buffer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "launcher/launch_constants.h"
#include "launcher/run_sequence.h"
#include "support/fake_platform.h"

namespace {

using pos_video::fuzzing::Fail;

// 2007-06-06 14:50:25 UTC: a working day on which the audit application might run.
constexpr std::int64_t kCurrentTime = 1181141425;

void WriteMappingFile(const char* bytes, std::size_t size) {
  std::ofstream file(pos_video::kMappingFilePath, std::ios::binary | std::ios::trunc);
  file.write(bytes, static_cast<std::streamsize>(size));
  if (!file) Fail("cannot write the mapping file");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A zone with daylight saving, spelt out so that no time zone database is needed: the time
  // option's local times then include the hour that does not exist and the one that comes twice.
  setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  tzset();
  std::filesystem::current_path(pos_video::fuzzing::ScratchRoot());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const char* split = static_cast<const char*>(std::memchr(bytes, '\0', size));
  const std::string commandLine(bytes, split != nullptr ? split : bytes + size);
  std::remove(pos_video::kMappingFilePath);
  if (split != nullptr) {
    WriteMappingFile(split + 1, static_cast<std::size_t>(bytes + size - split - 1));
  }

  pos_video::testing::FakePlatform platform(pos_video::fuzzing::ScratchRoot());
  const std::string document = platform.HostPath(pos_video::kCommandDocumentPath);
  std::remove(document.c_str());

  if (pos_video::RunLauncher(commandLine, kCurrentTime, platform) != 0) {
    Fail("the exit code is not 0");
  }

  const bool saved = std::filesystem::exists(document);
  if (platform.starts.size() != (saved ? 1u : 0u)) {
    Fail(saved ? "a document was saved but the client not started exactly once"
               : "the client was started without a saved document");
  }
  if (saved &&
      pos_video::fuzzing::ReadWholeFile(document).find("</KorvaneInit>") == std::string::npos) {
    Fail("the saved document is not whole");
  }
  std::error_code noFolderYet;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(document).parent_path(), noFolderYet)) {
    if (entry.path() != document) Fail("a temporary file was left: " + entry.path().string());
  }
  pos_video::fuzzing::CheckMessages(platform.messages);
  return 0;
}
