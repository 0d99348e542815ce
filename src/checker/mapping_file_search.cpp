#include "checker/mapping_file_search.h"

#include <algorithm>

#include "base/ascii_classes.h"
#include "base/launch_constants.h"

namespace pos_video {
namespace {

bool IsSeparator(char c, const PathConventions& conventions) {
  return c == '/' || c == conventions.separator;
}

// "stores" and "017" make "stores/017"; "stores/" or a drive's "C:" take no second separator.
std::string Joined(const std::string& folder, const std::string& name,
                   const PathConventions& conventions) {
  if (folder.empty() || IsSeparator(folder.back(), conventions) ||
      (conventions.separator == '\\' && folder.back() == ':')) {
    return folder + name;
  }
  return folder + conventions.separator + name;
}

bool SameByte(char a, char b, bool anyCase) {
  return a == b || (anyCase && LowerAscii(a) == LowerAscii(b));
}

// Past the UTF-8 character that starts at `at`: "?" stands for a character, as in a shell.
std::size_t NextCharacter(const std::string& name, std::size_t at) {
  ++at;
  while (at < name.size() && (static_cast<unsigned char>(name[at]) & 0xC0) == 0x80) ++at;
  return at;
}

// A shell's match of one name: "*" any run of characters, "?" one; a name starting with "." only
// where the pattern does. Going back to the last "*" keeps it linear in practice.
bool Matches(const std::string& pattern, const std::string& name, bool anyCase) {
  if (!name.empty() && name[0] == '.' && (pattern.empty() || pattern[0] != '.')) return false;
  std::size_t p = 0, n = 0, afterStar = std::string::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n = NextCharacter(name, n);
    } else if (p < pattern.size() && pattern[p] == '*') {
      afterStar = ++p;
      starName = n;
    } else if (p < pattern.size() && SameByte(pattern[p], name[n], anyCase)) {
      ++p;
      ++n;
    } else if (afterStar != std::string::npos) {
      p = afterStar;
      n = starName = NextCharacter(name, starName);
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// The existing paths that `pattern` matches, part by part, each part's separators kept as given.
std::vector<std::string> Expanded(const std::string& pattern, FolderReader& folders,
                                  const PathConventions& conventions) {
  std::vector<std::string> paths{""};
  for (std::size_t at = 0; at < pattern.size();) {
    std::size_t end = at;
    while (end < pattern.size() && !IsSeparator(pattern[end], conventions)) ++end;
    const std::string part = pattern.substr(at, end - at);
    while (end < pattern.size() && IsSeparator(pattern[end], conventions)) ++end;
    const std::string separators = pattern.substr(at + part.size(), end - at - part.size());
    at = end;
    std::vector<std::string> next;
    for (const std::string& path : paths) {
      if (part.find_first_of("*?") == std::string::npos) {
        next.push_back(path);
        next.back() += part;
        next.back() += separators;
        continue;
      }
      for (const FolderEntry& entry : folders.ListFolder(path.empty() ? "." : path).entries) {
        if (Matches(part, entry.name, conventions.namesInAnyCase)) {
          next.push_back(path);
          next.back() += entry.name;
          next.back() += separators;
        }
      }
    }
    paths = std::move(next);
  }
  paths.erase(std::remove_if(paths.begin(), paths.end(),
                             [&folders](const std::string& path) {
                               return folders.KindOf(path) == PathKind::kMissing;
                             }),
              paths.end());
  std::sort(paths.begin(), paths.end());
  return paths;
}

// Links to folders are not followed (see FolderEntry), so the walk ends.
void Search(const std::string& folder, FolderReader& folders, const PathConventions& conventions,
            std::vector<MappingFileArgument>* found) {
  const FolderListing listing = folders.ListFolder(folder);
  if (!listing.done) {
    found->push_back({folder, "cannot read the folder: " + listing.failure});
    return;
  }
  for (const FolderEntry& entry : listing.entries) {
    const std::string path = Joined(folder, entry.name, conventions);
    if (entry.folder) {
      Search(path, folders, conventions, found);
    } else if (entry.name.size() == std::char_traits<char>::length(kMappingFilePath) &&
               std::equal(entry.name.begin(), entry.name.end(), kMappingFilePath,
                          [&conventions](char a, char b) {
                            return SameByte(a, b, conventions.namesInAnyCase);
                          })) {
      found->push_back({path, ""});
    }
  }
}

void AddPath(const std::string& path, FolderReader& folders, const PathConventions& conventions,
             std::vector<MappingFileArgument>* files) {
  if (folders.KindOf(path) != PathKind::kFolder) {
    files->push_back({path, ""});
    return;
  }
  std::vector<MappingFileArgument> found;
  Search(path, folders, conventions, &found);
  if (found.empty()) found.push_back({path, "no termToInput.xml in this folder"});
  std::sort(
      found.begin(), found.end(),
      [](const MappingFileArgument& a, const MappingFileArgument& b) { return a.path < b.path; });
  files->insert(files->end(), found.begin(), found.end());
}

}  // namespace

std::vector<MappingFileArgument> FindMappingFiles(const std::vector<std::string>& arguments,
                                                  FolderReader& folders) {
  const PathConventions conventions = folders.Conventions();
  std::vector<MappingFileArgument> files;
  for (const std::string& argument : arguments) {
    if (!conventions.programExpandsWildcards || argument.find_first_of("*?") == std::string::npos) {
      AddPath(argument, folders, conventions, &files);
      continue;
    }
    const std::vector<std::string> matches = Expanded(argument, folders, conventions);
    if (matches.empty()) {
      files.push_back(
          {argument, "cannot read the file: no file or folder matches this pattern", true});
    }
    for (const std::string& match : matches) AddPath(match, folders, conventions, &files);
  }
  return files;
}

}  // namespace pos_video
