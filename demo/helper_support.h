// What the small Windows programs of the demo share: whole files read and written byte for byte,
// and the environment.
#pragma once

#include <string>

namespace pos_video_demo {

// Reads the file at `path` as it is on disk (no line-end translation). False when it cannot.
bool ReadWholeFile(const std::string& path, std::string* contents);

// Writes `contents` byte for byte under a name of its own and then moves it to `path`, so a script
// polling for `path` never reads a half-written record.
bool WriteWholeFile(const std::string& path, const std::string& contents);

// The variable's value, or `fallback` when it is not set.
std::string EnvironmentVariable(const char* name, const std::string& fallback);

// "C:\dir" for "C:\dir\file.exe".
std::string FolderOf(const std::string& path);

// This program's own path.
std::string ModulePath();

}  // namespace pos_video_demo
