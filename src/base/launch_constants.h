// Where the launcher reads, writes and starts things. Fixed: the client's installer puts it there,
// and nothing else configures the launcher but the mapping file and the command line.
#pragma once

#include <cstdint>

namespace pos_video {

constexpr const char kMappingFilePath[] = "termToInput.xml";
constexpr const char kClientDirectory[] = "C:\\Program Files\\Korvane\\Client";
// Where a 32-bit client is installed on 64-bit Windows.
constexpr const char kClientDirectoryX86[] = "C:\\Program Files (x86)\\Korvane\\Client";
constexpr const char kClientProgramName[] = "tarnclient.exe";
constexpr const char kCommandDocumentName[] = "KvCmdLine.xml";
constexpr const char kCommandDocumentPath[] = "C:\\Program Files\\Korvane\\Client\\KvCmdLine.xml";
// The client finds the document by its bare name because it starts in its own folder.
constexpr const char kClientArguments[] = "-FKvCmdLine.xml";
constexpr const char kMessageCaption[] = "POS Audit to Video Interface";
// The terminal searched for when the command line names none.
constexpr std::int32_t kDefaultTerminal = 101;

}  // namespace pos_video
