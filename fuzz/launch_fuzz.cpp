// Runs the launcher's whole sequence, and the checker, on arbitrary command lines and mapping
// files, with the in-memory platform in place of the system.
//
// The input up to its first NUL byte is the command-line text (the system never hands the entry a
// NUL); the rest, when there is a NUL, is the mapping file, which is otherwise absent. Whatever
// the input, the client must start exactly when a document was saved, and every message must end
// in a line feed and fit the message buffer. The checker's review and preview of the same files
// and command line run too, for what they add to the launcher's steps.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/launch_constants.h"
#include "base/launch_request.h"
#include "base/report_message.h"
#include "checker/mapping_review.h"
#include "launch_sequence/run_launcher.h"
#include "mapping/mapping_loader.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const char* split = static_cast<const char*>(std::memchr(bytes, '\0', size));
  const std::string commandLine(bytes, split != nullptr ? split : bytes + size);

  pos_video::testing::FakePlatform platform;
  if (split != nullptr) {
    platform.files[pos_video::kMappingFilePath] = std::string(split + 1, bytes + size);
  }
  pos_video::RunLauncher(commandLine, 1181141425, platform);

  const bool saved = platform.files.count(pos_video::kCommandDocumentPath) != 0;
  if (saved != (platform.starts.size() == 1)) __builtin_trap();
  for (const std::string& message : platform.messages) {
    if (message.empty() || message.back() != '\n') __builtin_trap();
    if (message.size() >= static_cast<std::size_t>(pos_video::kMessageBufferSize)) {
      __builtin_trap();
    }
  }
  const pos_video::FileText text =
      pos_video::ReadMappingFile(pos_video::kMappingFilePath, platform);
  pos_video::ReviewMappingFile(pos_video::kMappingFilePath, text);
  pos_video::PreviewLaunch(pos_video::kMappingFilePath, text,
                           pos_video::ReadLaunchRequest(commandLine), 1181141425);
  return 0;
}
