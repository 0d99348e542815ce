// Unit tests of the Windows platform layer, run under Wine: the arguments of the client's start
// (which no other process can observe) and the file operations behind the command document.
// Exits non-zero and names each failed check when something is wrong.
#include "launcher/platform_windows.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "helper_support.h"
#include "launcher/process_start_windows.h"
#include "launcher/windows_api.h"

namespace {

int failures = 0;

#define EXPECT(condition)                                                                        \
  do {                                                                                           \
    if (!(condition)) {                                                                          \
      ++failures;                                                                                \
      std::fprintf(stderr, "%s:%d: %s: failed: %s\n", __FILE__, __LINE__, __func__, #condition); \
    }                                                                                            \
  } while (false)

bool AllZero(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

// What the stand-in for CreateProcessA saw, and what it hands back.
struct StartCall {
  int calls = 0;
  std::string applicationName;
  std::string commandLine;
  bool commandLineWritable = false;
  const void* commandLineAddress = nullptr;
  bool noProcessAttributes = false;
  bool noThreadAttributes = false;
  BOOL inheritHandles = TRUE;
  DWORD creationFlags = 0;
  bool inheritsEnvironment = false;
  std::string currentDirectory;
  bool startupInfoZeroButSize = false;
  bool processInfoCleared = false;

  BOOL result = TRUE;
  HANDLE process = nullptr;
  HANDLE thread = nullptr;
};
StartCall startCall;
std::vector<HANDLE> closedHandles;

BOOL WINAPI RecordCreateProcess(LPCSTR applicationName, LPSTR commandLine,
                                LPSECURITY_ATTRIBUTES processAttributes,
                                LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles,
                                DWORD creationFlags, LPVOID environment, LPCSTR currentDirectory,
                                LPSTARTUPINFOA startupInfo, LPPROCESS_INFORMATION processInfo) {
  StartCall& call = startCall;
  ++call.calls;
  call.applicationName = applicationName != nullptr ? applicationName : "(null)";
  call.commandLine = commandLine != nullptr ? commandLine : "(null)";
  call.commandLineAddress = commandLine;
  if (commandLine != nullptr && commandLine[0] != '\0') {
    // CreateProcessA may write into the command line; it must be the caller's own buffer.
    const char first = commandLine[0];
    commandLine[0] = '#';
    call.commandLineWritable = commandLine[0] == '#';
    commandLine[0] = first;
  }
  call.noProcessAttributes = processAttributes == nullptr;
  call.noThreadAttributes = threadAttributes == nullptr;
  call.inheritHandles = inheritHandles;
  call.creationFlags = creationFlags;
  call.inheritsEnvironment = environment == nullptr;
  call.currentDirectory = currentDirectory != nullptr ? currentDirectory : "(null)";
  STARTUPINFOA rest = *startupInfo;
  rest.cb = 0;
  call.startupInfoZeroButSize =
      startupInfo->cb == sizeof(STARTUPINFOA) && AllZero(&rest, sizeof rest);
  call.processInfoCleared = AllZero(processInfo, sizeof *processInfo);
  processInfo->hProcess = call.process;
  processInfo->hThread = call.thread;
  return call.result;
}

BOOL WINAPI RecordCloseHandle(HANDLE handle) {
  closedHandles.push_back(handle);
  return TRUE;
}

const pos_video::ProcessStart kClientStart{
    "C:\\Program Files\\Korvane\\Client\\tarnclient.exe",
    "C:\\Program Files\\Korvane\\Client\\tarnclient.exe -FKvCmdLine.xml",
    "C:\\Program Files\\Korvane\\Client"};

void Start(BOOL result, HANDLE process, HANDLE thread) {
  startCall = StartCall{};
  startCall.result = result;
  startCall.process = process;
  startCall.thread = thread;
  closedHandles.clear();
  pos_video::StartProcessThrough(kClientStart, {&RecordCreateProcess, &RecordCloseHandle});
}

void ClientStartPassesExactlyTheAgreedArguments() {
  Start(TRUE, reinterpret_cast<HANDLE>(0x111), reinterpret_cast<HANDLE>(0x222));
  EXPECT(startCall.calls == 1);
  EXPECT(startCall.applicationName == kClientStart.applicationPath);
  EXPECT(startCall.commandLine == kClientStart.commandLine);
  EXPECT(startCall.commandLineWritable);
  EXPECT(startCall.commandLineAddress != kClientStart.commandLine.c_str());
  EXPECT(startCall.noProcessAttributes);
  EXPECT(startCall.noThreadAttributes);
  EXPECT(startCall.inheritHandles == FALSE);
  EXPECT(startCall.creationFlags == NORMAL_PRIORITY_CLASS);
  EXPECT(startCall.creationFlags == 0x20);
  EXPECT(startCall.inheritsEnvironment);
  EXPECT(startCall.currentDirectory == kClientStart.currentDirectory);
  EXPECT(startCall.startupInfoZeroButSize);
  EXPECT(startCall.processInfoCleared);
}

void ClientStartClosesProcessThenThreadHandleAtOnce() {
  Start(TRUE, reinterpret_cast<HANDLE>(0x111), reinterpret_cast<HANDLE>(0x222));
  EXPECT(closedHandles.size() == 2);
  EXPECT(closedHandles.size() == 2 && closedHandles[0] == reinterpret_cast<HANDLE>(0x111));
  EXPECT(closedHandles.size() == 2 && closedHandles[1] == reinterpret_cast<HANDLE>(0x222));
}

void FailedClientStartClosesNothingAndGoesOn() {
  Start(FALSE, nullptr, nullptr);
  EXPECT(startCall.calls == 1);
  EXPECT(closedHandles.empty());
}

// A scratch folder of its own under the system's temporary folder, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "platform_windows_test-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path_ + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string file = path_ + "\\" + entry.cFileName;
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file.c_str());
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryA(path_.c_str());
  }
  std::string File(const char* name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

std::string Contents(const std::string& path) {
  std::string contents;
  return pos_video_test::ReadWholeFile(path, &contents) ? contents : "(unreadable)";
}

void TemporaryFileBesideTargetWritesCrLfLineEnds() {
  ScratchFolder folder;
  pos_video::WindowsPlatform platform;
  const std::string target = folder.File("KvCmdLine.xml");
  std::string temporary;
  std::FILE* file = platform.CreateTemporaryFileBeside(target, &temporary);
  EXPECT(file != nullptr);
  if (file == nullptr) return;
  EXPECT(temporary.compare(0, target.size() + 1, target + ".") == 0);
  std::fputs("<a>\n    <b />\n</a>\n", file);
  EXPECT(std::fclose(file) == 0);
  EXPECT(Contents(temporary) == "<a>\r\n    <b />\r\n</a>\r\n");
}

void TwoTemporaryFilesBesideOneTargetNeverShareAName() {
  ScratchFolder folder;
  pos_video::WindowsPlatform platform;
  const std::string target = folder.File("KvCmdLine.xml");
  std::string first;
  std::string second;
  std::FILE* a = platform.CreateTemporaryFileBeside(target, &first);
  std::FILE* b = platform.CreateTemporaryFileBeside(target, &second);
  EXPECT(a != nullptr && b != nullptr);
  EXPECT(first != second);
  if (a != nullptr) std::fclose(a);
  if (b != nullptr) std::fclose(b);
}

void ReplaceFilePutsNewDocumentInPlace() {
  ScratchFolder folder;
  pos_video::WindowsPlatform platform;
  const std::string target = folder.File("KvCmdLine.xml");
  const std::string source = folder.File("new.xml");
  EXPECT(pos_video_test::WriteWholeFile(target, "old"));
  EXPECT(pos_video_test::WriteWholeFile(source, "new"));
  EXPECT(platform.ReplaceFile(source, target));
  EXPECT(Contents(target) == "new");
  EXPECT(GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES);
}

void FailedReplaceLeavesOldDocumentWhole() {
  ScratchFolder folder;
  pos_video::WindowsPlatform platform;
  const std::string target = folder.File("KvCmdLine.xml");
  const std::string source = folder.File("new.xml");
  EXPECT(pos_video_test::WriteWholeFile(target, "old"));
  EXPECT(pos_video_test::WriteWholeFile(source, "new"));
  // Held open by a reader that does not share deletion, as the client might still hold it.
  HANDLE reader = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT(reader != INVALID_HANDLE_VALUE);
  EXPECT(!platform.ReplaceFile(source, target));
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
  EXPECT(Contents(target) == "old");
  platform.RemoveFile(source);
  EXPECT(GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES);
}

}  // namespace

int main() {
  ClientStartPassesExactlyTheAgreedArguments();
  ClientStartClosesProcessThenThreadHandleAtOnce();
  FailedClientStartClosesNothingAndGoesOn();
  TemporaryFileBesideTargetWritesCrLfLineEnds();
  TwoTemporaryFilesBesideOneTargetNeverShareAName();
  ReplaceFilePutsNewDocumentInPlace();
  FailedReplaceLeavesOldDocumentWhole();
  if (failures != 0) {
    std::fprintf(stderr, "platform_windows_test: %d check(s) failed\n", failures);
    return 1;
  }
  std::printf("platform_windows_test: all checks passed\n");
  return 0;
}
