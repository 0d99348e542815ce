// Time and peak memory of loading the largest mapping files the loader accepts, and of refusing
// the ones it does not: each input is built in memory and loaded in a child process of its own,
// so that each peak is that input's alone.
//
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "mapping/mapping_loader.h"
#include "mapping/mapping_text_guard.h"

namespace pos_video {
namespace {

class MemoryFiles : public FileReader, public MessageSink {
 public:
  explicit MemoryFiles(std::string text) : text_(std::move(text)) {}
  FileText ReadFile(const std::string&, std::size_t) override {
    return {{true, ""}, std::move(text_)};
  }
  void ShowMessage(MessageKind /*kind*/, const std::string& text) override { message_ = text; }
  std::string message_;

 private:
  std::string text_;
};

std::string Repeated(const std::string& piece, std::size_t bytes) {
  std::string text;
  text.reserve(bytes + piece.size());
  while (text.size() + piece.size() <= bytes) text += piece;
  return text;
}

std::string Terminals(int count) {
  std::string text = "<TermToInput Width=\"392\" Height=\"377\" Pre=\"5\" Post=\"5\">\n";
  for (int i = 1; i <= count; ++i) {
    text += "    <Term Number=\"" + std::to_string(i) +
            "\">\n        <System Name=\"Store 12 Recorder\">\n            <Input Name=\"Lane " +
            std::to_string(i) + " Overhead\" Number=\"" + std::to_string(i % 64) +
            "\" Device=\"2\" />\n        </System>\n    </Term>\n";
  }
  return text + "</TermToInput>\n";
}

std::string Attributes(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += " a" + std::to_string(i) + "=\"\"";
  return text;
}

struct Input {
  const char* name;
  std::function<std::string()> make;
};

void Measure(const Input& input) {
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    std::string text = input.make();
    const std::size_t size = text.size();
    MemoryFiles reader(std::move(text));
    const auto start = std::chrono::steady_clock::now();
    TerminalMappingTable table;
    LaunchSettings settings;
    const bool stored = LoadTerminalMappings("termToInput.xml", reader, reader, &table, &settings);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::string outcome = stored ? std::to_string(table.size()) + " terminals" : "nothing";
    if (!reader.message_.empty()) outcome += ": " + reader.message_.substr(0, 90);
    while (!outcome.empty() && outcome.back() == '\n') outcome.pop_back();
    std::printf("| %s | %.1f MB | %.2f s | %s |", input.name, size / 1e6, seconds, outcome.c_str());
    std::fflush(stdout);
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  std::printf(" %ld MB |\n", usage.ru_maxrss / 1024);
}

}  // namespace
}  // namespace pos_video

int main() {
  using pos_video::Attributes;
  using pos_video::Repeated;
  const std::size_t limit = pos_video::kMaxMappingFileBytes;
  const std::string root = "<TermToInput>";
  const std::string end = "</TermToInput>";
  const std::vector<pos_video::Input> inputs = {
      {"100,000 terminals", [] { return pos_video::Terminals(100000); }},
      {"1,000,000 empty elements", [&] { return root + Repeated("<a/>", 3999996) + end; }},
      {"elements of the most attributes, 20 MiB",
       [&] {
         return root +
                Repeated("<a" + Attributes(pos_video::kMaxAttributesPerElement) + "/>",
                         limit - 30) +
                end;
       }},
      {"elements of 52 one-letter attributes, 20 MiB",
       [&] {
         std::string element = "<a";
         for (const char* letters : {"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}) {
           for (const char* c = letters; *c != '\0'; ++c) element += std::string(" ") + *c + "=''";
         }
         return root + Repeated(element + "/>", limit - 30) + end;
       }},
      {"one text of 20 MiB", [&] { return root + Repeated("x", limit - 30) + end; }},
      {"30 MB of empty elements", [&] { return root + Repeated("<a/>", 30000000) + end; }},
      {"5,000,000 empty elements", [&] { return root + Repeated("<a/>", 19999996) + end; }},
      {"80,000 attributes on one element",
       [] { return "<TermToInput" + Attributes(80000) + "/>"; }},
  };
  std::printf("| Input | Size | Time | Outcome | Peak memory |\n|---|---|---|---|---|\n");
  for (const pos_video::Input& input : inputs) pos_video::Measure(input);
}
