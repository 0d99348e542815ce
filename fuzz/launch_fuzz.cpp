// Runs the launcher's whole sequence, and the checker, on arbitrary command lines and mapping
// files, with the in-memory platform in place of the system.
//
// The input up to its first NUL byte is the command-line text (the system never hands the entry a
// NUL); the rest, when there is a NUL, is the mapping file, which is otherwise absent. Whatever
// the input, the client must start exactly when a document was saved, and every message must end
// in a line feed and fit the message buffer; and the checker's preview of the same command line
// and files must show the same messages and the same document, byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/launch_constants.h"
#include "base/report_message.h"
#include "base/terminal_option.h"
#include "checker/mapping_review.h"
#include "launcher/run_sequence.h"
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
  const pos_video::MappingReport report =
      pos_video::ReviewMappingFile(pos_video::kMappingFilePath, platform);
  const pos_video::LaunchPreview preview = pos_video::PreviewLaunch(
      report, pos_video::ReadTerminalNumber(commandLine), commandLine, 1181141425);
  if (preview.messages != platform.messages) __builtin_trap();
  if (preview.documentWritten != saved) __builtin_trap();
  if (saved && preview.document != platform.files[pos_video::kCommandDocumentPath]) {
    __builtin_trap();
  }
  return 0;
}
