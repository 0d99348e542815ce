// Windows paths on a POSIX file system that serves a client installed under Wine.
#pragma once

#include <string>

namespace pos_video {

// Maps "X:\dir\file" to "<winePrefix>/dosdevices/x:/dir/file", as Wine's own drive mapping does.
// A path without a drive letter stays relative; in every case each backslash becomes a slash.
std::string PathInWinePrefix(const std::string& winePrefix, const std::string& windowsPath);

}  // namespace pos_video
