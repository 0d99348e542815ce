// What a launch costs beyond reading the mapping file and parsing it.
//
// First, whole processes, which is what the auditor waits for: the native launcher, run in a
// folder holding a mapping file, against the floor (bench/read_and_parse_floor.cpp, a process that
// only reads the same file and runs TinyXML's stream parse on it). Each round runs every contender
// once, in an order that turns from round to round, so that a busy moment of the machine falls on
// all of them alike; the ratio is the median of the rounds' own ratios. The launcher writes its
// document into a Wine prefix of its own and starts a stand-in `wine` that ends at once; that
// process is waited for between runs but not timed, as the launcher does not wait for it either.
//
// Then, in process (Google Benchmark), the same two jobs without the cost of starting and ending a
// process: BM_ReadAndParse and BM_Launch, the launcher's sequence up to the client's start.
// The goal is a whole launch of at most 1.1 times the floor at 10,000 terminals.
//
//   build/bench/bin/launch_bench [--rounds=N] [--whole-process-only] [--other=LAUNCHER]...
//                                [--scenes-in=FOLDER] [benchmark flags]
//   build/bench/bin/launch_bench --scene-only=TERMINALS   (prepares a folder, prints it, keeps it:
//                                                           see docs/performance.md for callgrind)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tinyxml.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "base/launch_constants.h"
#include "launch_sequence/run_launcher.h"
#include "system/posix_platform.h"

namespace pos_video {
namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "launch_bench: %s\n", what.c_str());
  std::exit(1);
}

// A platform on the real file system that starts nothing: the client is not what is measured.
class NoStartPlatform : public PosixPlatform {
 public:
  using PosixPlatform::PosixPlatform;
  Outcome StartProgram(const ProgramStart&) override { return {true, ""}; }
};

// Where scenes are made: /tmp unless --scenes-in says otherwise (a tmpfs such as /dev/shm shows
// the launch without the disk's cost of the safe save's flush).
std::string sceneParent = "/tmp";

// A scratch folder holding a mapping of `terminals` terminals of the usual shape, a Wine prefix
// with a stand-in client, and a stand-in `wine` in bin/ that ends at once.
class Scene {
 public:
  explicit Scene(int terminals) {
    std::string pattern = sceneParent + "/launch-bench.XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) Fail("no scratch folder in " + sceneParent);
    folder_ = pattern;
    const std::string client = ClientFolder();
    const std::string setUp = "mkdir -p '" + client + "' '" + folder_ + "/bin' && touch '" +
                              client + "/tarnclient.exe' && printf '#!/bin/sh\\nexit 0\\n' > '" +
                              folder_ + "/bin/wine' && chmod +x '" + folder_ + "/bin/wine'";
    if (std::system(setUp.c_str()) != 0) Fail("could not set up " + folder_);
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
    if (!file.flush()) Fail("could not write the mapping file");
  }
  ~Scene() {
    if (!kept_) std::system(("rm -rf '" + folder_ + "'").c_str());
  }
  // Leaves the folder in place, for a profiler to run the contenders in.
  void Keep() { kept_ = true; }
  const std::string& folder() const { return folder_; }
  std::string prefix() const { return folder_ + "/prefix"; }
  std::string ClientFolder() const {
    return prefix() + "/dosdevices/c:/Program Files/Korvane/Client";
  }

 private:
  std::string folder_;
  bool kept_ = false;
};

// The scene's folder as current folder, for the in-process benchmarks.
class InFolder {
 public:
  explicit InFolder(const Scene& scene) {
    if (chdir(scene.folder().c_str()) != 0) Fail("chdir");
  }
  ~InFolder() {
    if (chdir("/") != 0) std::abort();
  }
};

// ---- Whole processes ----

struct Contender {
  std::string name;
  std::vector<std::string> arguments;  // Program first.
  const char* says;                    // What each run prints: nothing, or one line.
  std::vector<double> wallMs;
  std::vector<double> cpuMs;   // User and system time of the process itself.
  std::vector<double> faults;  // Its page faults: fresh memory is much of what a process costs.
};

double MillisecondsSince(const timespec& start) {
  timespec end{};
  clock_gettime(CLOCK_MONOTONIC, &end);
  return static_cast<double>(end.tv_sec - start.tv_sec) * 1e3 +
         static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e6;
}

double Milliseconds(const timeval& time) {
  return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
}

// Runs the contender once in the scene's folder, its output appended to `output`, and records how
// long it took; fails when it does not end with 0. The processes it leaves behind (the stand-in
// wine) are waited for afterwards, untimed, so that they do not run into the next measurement.
void RunOnce(const Scene& scene, const std::string& output, Contender& contender) {
  std::vector<char*> argv;
  for (std::string& argument : contender.arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::string path = "PATH=" + scene.folder() + "/bin:/usr/bin:/bin";
  std::string prefix = "WINEPREFIX=" + scene.prefix();
  std::string home = "HOME=" + scene.folder();
  char* environment[] = {path.data(), prefix.data(), home.data(), nullptr};

  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  const pid_t child = fork();
  if (child == 0) {
    const int into = open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (into >= 0 && dup2(into, STDOUT_FILENO) >= 0 && dup2(into, STDERR_FILENO) >= 0 &&
        chdir(scene.folder().c_str()) == 0) {
      execve(argv[0], argv.data(), environment);
    }
    _exit(127);
  }
  if (child < 0) Fail(std::string("fork: ") + std::strerror(errno));
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) Fail("wait4");
  contender.wallMs.push_back(MillisecondsSince(start));
  contender.cpuMs.push_back(Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime));
  contender.faults.push_back(static_cast<double>(usage.ru_minflt + usage.ru_majflt));
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    Fail(std::string(contender.name) + " did not end with 0");
  }
  while (wait(nullptr) > 0 || errno == EINTR) {
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The median over the rounds of one contender's time divided by another's in the same round.
double MedianRatio(const std::vector<double>& over, const std::vector<double>& under) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < over.size(); ++i) ratios.push_back(over[i] / under[i]);
  return Median(ratios);
}

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// `others` are further launcher builds to set beside this one (a change being weighed), each
// launched for terminal 1 as the launch is.
void MeasureWholeProcesses(int terminals, int rounds, const std::vector<std::string>& others) {
  const Scene scene(terminals);
  std::vector<Contender> contenders = {
      {"floor", {POS_VIDEO_FLOOR_PROGRAM}, "", {}, {}, {}},
      {"launch", {POS_VIDEO_LAUNCHER_PROGRAM, "-n", "1"}, "", {}, {}, {}},
      // A terminal the table lacks: the load alone, then a message; no document, no client.
      {"unmapped",
       {POS_VIDEO_LAUNCHER_PROGRAM, "-n", "0"},
       "POS Audit to Video Interface: Mapping of search terminal 0 to camera not found.\n",
       {},
       {},
       {}},
  };
  for (std::size_t i = 0; i < others.size(); ++i) {
    contenders.push_back({"other" + std::to_string(i + 1), {others[i], "-n", "1"}, "", {}, {}, {}});
  }
  const int warmUp = 5;
  for (int round = -warmUp; round < rounds; ++round) {
    for (std::size_t i = 0; i < contenders.size(); ++i) {
      Contender& contender =
          contenders[(static_cast<std::size_t>(round + warmUp) + i) % contenders.size()];
      RunOnce(scene, scene.folder() + "/" + contender.name + ".out", contender);
    }
    if (round == -1) {
      for (Contender& contender : contenders) {
        contender.wallMs.clear();
        contender.cpuMs.clear();
        contender.faults.clear();
      }
    }
  }
  // Each run said what it should and the launch wrote its document: the launches measured were
  // the real thing, not an early way out.
  for (const Contender& contender : contenders) {
    const std::string said = ReadWhole(scene.folder() + "/" + contender.name + ".out");
    std::string expected;
    for (int i = 0; i < rounds + warmUp; ++i) expected += contender.says;
    if (said != expected) Fail(std::string(contender.name) + " printed: " + said.substr(0, 500));
  }
  struct stat status {};
  if (stat((scene.ClientFolder() + "/" + kCommandDocumentName).c_str(), &status) != 0 ||
      status.st_size == 0) {
    Fail("the launcher wrote no command document");
  }

  const Contender& floor = contenders[0];
  for (const Contender& contender : contenders) {
    std::printf("%9d  %-9s %6.3f %6.3f  %8.3f %8.3f  %6.0f\n", terminals, contender.name.c_str(),
                MedianRatio(contender.wallMs, floor.wallMs),
                MedianRatio(contender.cpuMs, floor.cpuMs), Median(contender.wallMs),
                Median(contender.cpuMs), Median(contender.faults));
  }
}

// ---- In process ----

void BM_ReadAndParse(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  InFolder here(scene);
  for (auto _ : state) {
    std::ifstream file(kMappingFilePath);
    TiXmlDocument document;
    file >> document;
    benchmark::DoNotOptimize(document.Error());
  }
}

void BM_Launch(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  InFolder here(scene);
  NoStartPlatform platform(scene.prefix());
  for (auto _ : state) {
    RunLauncher("-n 1", 1181141425, platform);
  }
}

BENCHMARK(BM_ReadAndParse)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Launch)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pos_video

int main(int argc, char** argv) {
  int rounds = 200;
  bool inProcess = true;
  std::vector<std::string> others;
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind("--rounds=", 0) == 0) {
      rounds = std::atoi(argument.c_str() + 9);
    } else if (argument.rfind("--other=", 0) == 0) {
      others.push_back(argument.substr(8));
    } else if (argument.rfind("--scenes-in=", 0) == 0) {
      pos_video::sceneParent = argument.substr(12);
    } else if (argument.rfind("--scene-only=", 0) == 0) {
      pos_video::Scene scene(std::atoi(argument.c_str() + 13));
      scene.Keep();
      std::printf("%s\n", scene.folder().c_str());
      return 0;
    } else if (argument == "--whole-process-only") {
      inProcess = false;
    } else {
      rest.push_back(argv[i]);
    }
  }
  if (rounds > 0) {
    // The stand-in wine outlives the launcher that started it; it is waited for here.
    if (prctl(PR_SET_CHILD_SUBREAPER, 1) != 0) pos_video::Fail("prctl");
    std::printf(
        "Whole processes, %d rounds, medians (ratios: median of each round's time over the "
        "floor's)\n"
        "terminals  contender wall x  cpu x   wall ms   cpu ms  faults\n",
        rounds);
    pos_video::MeasureWholeProcesses(100, rounds, others);
    pos_video::MeasureWholeProcesses(10000, rounds, others);
    std::fflush(stdout);
  }
  if (!inProcess) return 0;
  int restCount = static_cast<int>(rest.size());
  benchmark::Initialize(&restCount, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
