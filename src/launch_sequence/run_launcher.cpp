#include "launch_sequence/run_launcher.h"

#include "base/launch_constants.h"
#include "base/launch_request.h"
#include "launch_sequence/prepare_launch.h"
#include "mapping/mapping_loader.h"

namespace pos_video {
namespace {

// The client's folder: the one under Program Files, unless only the 32-bit Program Files of a
// 64-bit Windows holds the client.
std::string ClientFolder(Platform& platform) {
  const auto holdsClient = [&](const char* folder) {
    return platform.HasFile(std::string(folder) + "\\" + kClientProgramName);
  };
  if (!holdsClient(kClientDirectory) && holdsClient(kClientDirectoryX86)) {
    return kClientDirectoryX86;
  }
  return kClientDirectory;
}

}  // namespace

int RunLauncher(const std::string& commandLineText, std::int64_t currentTime, Platform& platform) {
  const std::string folder = ClientFolder(platform);
  const PreparedLaunch launch = PrepareLaunch(
      ReadLaunchRequest(commandLineText), currentTime,
      [&](MessageSink& messages, TerminalMappingTable* table, LaunchSettings* settings) {
        return LoadTerminalMappings(kMappingFilePath, platform, messages, table, settings);
      },
      folder + "\\" + kCommandDocumentName, platform.ReadPointer(), platform, platform);
  if (!launch.documentWritten) return 0;
  const std::string client = folder + "\\" + kClientProgramName;
  const Outcome start = platform.StartProgram({client, kClientArguments, folder});
  if (!start.done) {
    // The auditor is shown nothing, as always; whoever looks after the machine hears of it.
    platform.RecordWarning(MessageKind::kClientNotStarted,
                           "Could not start the video client " + client + ": " + start.failure);
  }
  return 0;
}

}  // namespace pos_video
