// What a console tool needs of the system beyond files: its arguments as text in UTF-8, and the
// folders of the system's own file system (host paths), where it finds files by name.
#pragma once

#include <string>
#include <vector>

#include "base/platform.h"

namespace pos_video {

// The arguments after the program's name. On Windows they are read from the Unicode command
// line and converted to UTF-8, so that no character is lost to the code page; elsewhere they are
// argv's, as given.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// On Windows: "\" between a folder and a name, names in any case, and wildcards expanded by the
// program, as Windows programs do; on POSIX systems the shell expands them. A folder of UTF-8
// names on Windows is read through the Unicode (W) calls.
class HostFolders : public FolderReader {
 public:
  PathConventions Conventions() const override;
  PathKind KindOf(const std::string& path) override;
  FolderListing ListFolder(const std::string& path) override;
};

}  // namespace pos_video
