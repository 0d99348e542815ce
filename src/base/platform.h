// The launcher's only window on the operating system, in roles.
//
// The core reaches the system only through these interfaces, and each function takes only the
// roles it uses: the loader a file reader and a message sink, the writer a file saver and a
// message sink; the pointer and the process start stay with the entry. Everything crosses as
// whole values. One implementation serves Windows, one POSIX systems that serve a client
// installed under Wine, and the tests hand the core an in-memory fake. Paths are Windows paths
// ("C:\..."); an implementation maps them to its own file system.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace pos_video {

struct CursorPosition {
  int x = 0;
  int y = 0;
};

// A rectangle of the screen in pixels: `right` and `bottom` lie just outside it.
struct ScreenArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The mouse pointer, and the work area (the screen less its taskbars) of the monitor that holds
// it, or of the nearest one.
struct PointerOnScreen {
  CursorPosition position;
  std::optional<ScreenArea> workArea;  // None where no monitor can be had.
};

// A program to start without waiting for it.
struct ProgramStart {
  // The program's full path, given to the system separately from its arguments so that an
  // unquoted path with blanks cannot be taken for a shorter program ("C:\Program.exe").
  std::string program;
  // What follows the program's path on its command line, exactly as the program sees it.
  std::string arguments;
  // The folder the program starts in.
  std::string folder;
};

// How a call on the system went: done, or the system's reason why not. Every call that can fail
// says so this way.
struct Outcome {
  bool done = false;
  std::string failure;  // The system's reason, when not done.
};

// A whole file's text, or why it could not be had.
struct FileText : Outcome {
  std::string text;  // As read in text mode: line ends are "\n".
};

// What a message is about. On Windows each kind is reported to the Application event log under
// its own event ID (the value), so that a fleet's monitoring can filter them; the numbers are
// published and never reused.
enum class MessageKind {
  kMappingFileUnreadable = 1,
  kMappingFileNotRead = 2,  // Not read as XML, or over one of the file's limits.
  kInvalidTerm = 3,
  kMoreInvalidTerms = 4,
  kTimeSettingUnusable = 5,  // A time zone or clock offset of the mapping file.
  kTimeUnreadable = 6,
  kTerminalNotMapped = 7,
  kDocumentNotWritten = 8,
  // Endings that show the auditor nothing: only recorded, as warnings.
  kNotAMappingFile = 9,
  kNothingLoaded = 10,
  kClientNotStarted = 11,
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows `text` to the user; on Windows a modal box that returns once dismissed, after the
  // message has been reported to the event log.
  virtual void ShowMessage(MessageKind kind, const std::string& text) = 0;
  // Records why a launch ended without a word to the auditor, for whoever looks after the
  // machine. Shows nothing; where there is no log to keep it, it is dropped.
  virtual void RecordWarning(MessageKind /*kind*/, const std::string& /*text*/) {}
};

class FileReader {
 public:
  virtual ~FileReader() = default;
  // Reads a regular file whole, in text mode. Anything else (a folder, a pipe, a device) is
  // refused without blocking. Of a file larger than `maxBytes` only the first `maxBytes` + 1
  // bytes are read: the caller can tell it is too large without holding all of it.
  virtual FileText ReadFile(const std::string& path, std::size_t maxBytes) = 0;
};

// One name in a folder, and whether it is a folder to search further. A link to a folder is not
// one: a walk that followed links could run in circles.
struct FolderEntry {
  std::string name;
  bool folder = false;
};

// A folder's names, "." and ".." left out, in no particular order, or why it could not be read.
struct FolderListing : Outcome {
  std::vector<FolderEntry> entries;
};

// How the system writes and matches paths, where a tool finds files by name.
struct PathConventions {
  char separator = '/';         // Put between a folder and a name.
  bool namesInAnyCase = false;  // "TERMTOINPUT.XML" opens termToInput.xml.
  // The program, not the shell, expands "*" and "?" in its file arguments.
  bool programExpandsWildcards = false;
};

enum class PathKind { kMissing, kFile, kFolder };  // kFile: anything but a folder.

class FolderReader {
 public:
  virtual ~FolderReader() = default;
  virtual PathConventions Conventions() const = 0;
  // What is at `path`, a link followed.
  virtual PathKind KindOf(const std::string& path) = 0;
  virtual FolderListing ListFolder(const std::string& path) = 0;
};

class FileSaver {
 public:
  virtual ~FileSaver() = default;
  // Replaces the file at `path` with `text`, written in text mode, so that a reader never finds
  // a half-written file and a failure leaves any earlier file whole.
  virtual Outcome SaveFile(const std::string& path, const std::string& text) = 0;
};

// The zone of this PC's clock as the system names it: "TZ=" and TZ's value on a POSIX system where
// TZ is set, the zone's key name on Windows ("W. Europe Standard Time"); empty where the system
// names none.
std::string LocalTimeZoneName();

class Platform : public MessageSink, public FileReader, public FileSaver {
 public:
  // Whether a file (not a folder) exists at `path`.
  virtual bool HasFile(const std::string& path) = 0;
  // The mouse pointer's screen position, (0, 0) where none can be had, and its monitor's work
  // area.
  virtual PointerOnScreen ReadPointer() = 0;
  // Starts the program without waiting for it.
  virtual Outcome StartProgram(const ProgramStart& start) = 0;
};

}  // namespace pos_video
