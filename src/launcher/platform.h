// The launcher's only window on the operating system.
//
// The core (mapping loader, command document writer, run sequence) is portable and reaches the
// system only through this interface: one implementation for Windows, one for POSIX systems that
// serve a client installed under Wine, and a recording fake for the tests. Paths given to it are
// always Windows paths ("C:\..."); an implementation maps them to its own file system.
#pragma once

#include <cstdio>
#include <string>

namespace pos_video {

struct CursorPosition {
  int x = 0;
  int y = 0;
};

struct ProcessStart {
  // The program's full path, given to the system separately from the command line so that an
  // unquoted path with blanks cannot be taken for a shorter program ("C:\Program.exe").
  std::string applicationPath;
  // The whole command line the started program sees, its own path first.
  std::string commandLine;
  std::string currentDirectory;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Shows `text` to the user; on Windows a modal box that returns once dismissed.
  virtual void ShowMessage(const std::string& text) = 0;

  // The mouse pointer's screen position; (0, 0) where none can be had.
  virtual CursorPosition ReadCursorPosition() = 0;

  // Starts the program without waiting for it. A failed start is deliberately not reported: the
  // launcher has nothing useful to tell the auditor then.
  virtual void StartProcess(const ProcessStart& start) = 0;

  // Creates a new file with a name no other process uses, in the folder of `path`, and opens it
  // for writing in text mode. On success stores its path in `temporaryPath`; returns null on
  // failure.
  virtual std::FILE* CreateTemporaryFileBeside(const std::string& path,
                                               std::string* temporaryPath) = 0;

  // Replaces `target` by `source` in one step: a reader sees the old file or the new one, never a
  // mixture. Returns false when that could not be done; `target` is then unchanged.
  virtual bool ReplaceFile(const std::string& source, const std::string& target) = 0;

  virtual void RemoveFile(const std::string& path) = 0;
};

}  // namespace pos_video
