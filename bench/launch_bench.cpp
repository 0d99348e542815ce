// What a launch costs beyond reading the mapping file and parsing it.
//
// BM_ReadAndParse is the floor: a program that only reads termToInput.xml and runs TinyXML's
// stream parse on it. BM_Launch is the launcher's whole sequence on the same file, with real files
// in a Wine prefix of its own (the document is synced to disk), up to the client's start: the start
// itself is left out, and so is the tidying of the client's folder that follows it.
// Compare the two at each size: the goal is at most 1.1 times the floor at 10,000 terminals.
#include <benchmark/benchmark.h>
#include <tinyxml.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "base/launch_constants.h"
#include "launcher/run_sequence.h"
#include "system/posix_platform.h"

namespace pos_video {
namespace {

// A platform on the real file system that starts nothing: the client is not what is measured.
class NoStartPlatform : public PosixPlatform {
 public:
  using PosixPlatform::PosixPlatform;
  StartResult StartProgram(const ProgramStart&) override { return {true, ""}; }
};

// A scratch folder holding a mapping of `terminals` terminals of the usual shape and an empty
// client folder in a Wine prefix; the benchmark runs with it as current folder.
class Scene {
 public:
  explicit Scene(int terminals) {
    char pattern[] = "/tmp/launch-bench.XXXXXX";
    folder_ = mkdtemp(pattern);
    const std::string client = folder_ + "/prefix/dosdevices/c:/Program Files/Korvane/Client";
    std::system(("mkdir -p '" + client + "' && touch '" + client + "/tarnclient.exe'").c_str());
    std::ofstream file(folder_ + "/" + kMappingFilePath);
    file << "<TermToInput Width=\"392\" Height=\"377\" Pre=\"5\" Post=\"5\">\n";
    for (int i = 1; i <= terminals; ++i) {
      file << "    <Term Number=\"" << i << "\">\n"
           << "        <System Name=\"Store 12 Recorder\">\n"
           << "            <Input Name=\"Lane " << i << " Overhead\" />\n"
           << "        </System>\n"
           << "    </Term>\n";
    }
    file << "</TermToInput>\n";
    if (chdir(folder_.c_str()) != 0) std::abort();
  }
  ~Scene() {
    if (chdir("/") != 0) std::abort();
    std::system(("rm -rf '" + folder_ + "'").c_str());
  }
  std::string prefix() const { return folder_ + "/prefix"; }

 private:
  std::string folder_;
};

void BM_ReadAndParse(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::ifstream file(kMappingFilePath);
    TiXmlDocument document;
    file >> document;
    benchmark::DoNotOptimize(document.Error());
  }
}

void BM_Launch(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  NoStartPlatform platform(scene.prefix());
  for (auto _ : state) {
    RunLauncher("-n 1", 1181141425, platform);
  }
}

BENCHMARK(BM_ReadAndParse)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Launch)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pos_video
