// A platform held in memory: files in a map, messages and program starts recorded.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/platform.h"

namespace pos_video::testing {

class FakePlatform : public Platform, public FolderReader {
 public:
  void ShowMessage(MessageKind kind, const std::string& text) override {
    messages.push_back(text);
    kinds.push_back(kind);
  }
  void RecordWarning(MessageKind kind, const std::string& text) override {
    warnings.push_back({kind, text});
  }

  FileText ReadFile(const std::string& path, std::size_t maxBytes) override {
    const auto found = files.find(Key(path));
    if (found == files.end()) return {{false, "No such file or directory"}, ""};
    return {{true, ""}, found->second.substr(0, maxBytes + 1)};
  }

  Outcome SaveFile(const std::string& path, const std::string& text) override {
    if (unwritable.count(path) != 0) return {false, "Permission denied"};
    files[path] = text;
    return {true, ""};
  }

  bool HasFile(const std::string& path) override { return files.count(path) != 0; }

  // Folders are what the files' paths imply, "." the top; the files' paths are written with "/",
  // which a separator of "\" also means.
  std::string Key(std::string path) const {
    for (char& c : path) c = c == conventions.separator ? '/' : c;
    return path;
  }
  PathConventions Conventions() const override { return conventions; }
  PathKind KindOf(const std::string& path) override {
    if (files.count(Key(path)) != 0) return PathKind::kFile;
    return ListFolder(path).done ? PathKind::kFolder : PathKind::kMissing;
  }
  FolderListing ListFolder(const std::string& path) override {
    const bool top = path == ".";
    const bool ended =
        !path.empty() && (path.back() == '/' || path.back() == conventions.separator);
    const std::string prefix = Key(top || ended ? (top ? "" : path) : path + '/');
    FolderListing listing;
    for (const auto& [file, text] : files) {
      if (file.compare(0, prefix.size(), prefix) != 0 || file.size() == prefix.size()) continue;
      const std::size_t end = file.find('/', prefix.size());
      const FolderEntry entry{file.substr(prefix.size(), end - prefix.size()), end != file.npos};
      if (listing.entries.empty() || listing.entries.back().name != entry.name) {
        listing.entries.push_back(entry);
      }
    }
    listing.done = !listing.entries.empty();
    if (!listing.done) listing.failure = "No such file or directory";
    return listing;
  }
  PointerOnScreen ReadPointer() override { return pointer; }
  Outcome StartProgram(const ProgramStart& start) override {
    starts.push_back(start);
    if (!clientStartFailure.empty()) return {false, clientStartFailure};
    return {true, ""};
  }

  std::map<std::string, std::string> files;
  PathConventions conventions;
  std::set<std::string> unwritable;
  PointerOnScreen pointer;
  std::string clientStartFailure;  // When set, every start fails with this reason.
  std::vector<std::string> messages;
  std::vector<MessageKind> kinds;  // Of each message, in the same order.
  std::vector<std::pair<MessageKind, std::string>> warnings;
  std::vector<ProgramStart> starts;
};

}  // namespace pos_video::testing
