// Stands in for the video client in the end-to-end tests. Records how it was started (its own
// path, command line and current directory) and the command document it finds through its -F
// option, then ends. Records go to %TARNCLIENT_RECORD_DIR% (its own folder when unset) as
// client-<process id>.xml (the document's bytes) and then client-<process id>.txt, which a test
// may take as the sign that the record is complete.
#include <windows.h>

#include <string>

#include "helper_support.h"

using pos_video_test::WriteWholeFile;

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previousInstance*/, LPSTR /*commandLine*/,
                   int /*showCommand*/) {
  const std::string module = pos_video_test::ModulePath();
  const std::string commandLine = GetCommandLineA();
  char directory[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, directory);

  // Looked up as the client does: by the name behind -F, relative to the current directory.
  std::string document;
  bool found = false;
  const std::size_t option = commandLine.find(" -F");
  if (option != std::string::npos) {
    found = pos_video_test::ReadWholeFile(commandLine.substr(option + 3), &document);
  }

  const std::string record = pos_video_test::EnvironmentVariable("TARNCLIENT_RECORD_DIR",
                                                                 pos_video_test::FolderOf(module)) +
                             "\\client-" + std::to_string(GetCurrentProcessId());
  if (found && !WriteWholeFile(record + ".xml", document)) return 1;
  const std::string summary = "module=" + module + "\ncommand_line=" + commandLine +
                              "\ncurrent_directory=" + directory +
                              "\ndocument=" + (found ? "found" : "missing") + "\n";
  return WriteWholeFile(record + ".txt", summary) ? 0 : 1;
}
