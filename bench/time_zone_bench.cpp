// What reading a time in a store's zone costs, beside what a whole launch costs.
//
// BM_LaunchProcess runs the native launcher as the audit application does, on the bundled sample
// mapping, in a scratch folder with a Wine prefix of its own and a `wine` that ends at once. A
// launch with a zone does the launch's work plus one BM_FindAndConvert: compare the two (the
// goal is at most 1.02 times the launch without a zone).
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "time_zone/time_zone.h"

namespace pos_video {
namespace {

constexpr WallClock kTransaction{2007, 6, 6, 14, 50, 25};

void BM_FindTimeZone(benchmark::State& state, const char* value) {
  for (auto _ : state) benchmark::DoNotOptimize(FindTimeZone(value));
}
BENCHMARK_CAPTURE(BM_FindTimeZone, name, "America/Chicago");
BENCHMARK_CAPTURE(BM_FindTimeZone, rule, "AEST-10AEDT,M10.1.0,M4.1.0/3");
BENCHMARK_CAPTURE(BM_FindTimeZone, windows_name, "W. Europe Standard Time");

void BM_ConvertWallClock(benchmark::State& state, const char* value) {
  const TimeZone zone = *FindTimeZone(value);
  for (auto _ : state) benchmark::DoNotOptimize(ConvertWallClock(zone, kTransaction));
}
BENCHMARK_CAPTURE(BM_ConvertWallClock, rule, "America/Chicago");
BENCHMARK_CAPTURE(BM_ConvertWallClock, listed_changes, "Asia/Gaza");
// A date before the zone's present rules: Mexico kept daylight time until 2022.
BENCHMARK_CAPTURE(BM_ConvertWallClock, past, "America/Mexico_City");

// What the launcher will do once per launch with a zone.
void BM_FindAndConvert(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ConvertWallClock(*FindTimeZone("America/Chicago"), kTransaction));
  }
}
BENCHMARK(BM_FindAndConvert);

void BM_LaunchProcess(benchmark::State& state) {
  char pattern[] = "/tmp/time-zone-bench.XXXXXX";
  const std::string folder = mkdtemp(pattern);
  const std::string setup =
      "cd '" + folder +
      "' && mkdir -p bin 'prefix/dosdevices/c:/Program Files/Korvane/Client' && " +
      "printf '#!/bin/sh\\n' > bin/wine && chmod +x bin/wine && cp '" SAMPLE_MAPPING "' .";
  if (std::system(setup.c_str()) != 0) std::abort();
  const std::string path = folder + "/bin:" + std::getenv("PATH");
  const std::string prefix = folder + "/prefix";
  for (auto _ : state) {
    const pid_t child = fork();
    if (child == 0) {
      if (chdir(folder.c_str()) != 0) _exit(127);
      setenv("PATH", path.c_str(), 1);
      setenv("WINEPREFIX", prefix.c_str(), 1);
      execl(LAUNCHER, LAUNCHER, "-n", "1", "-t", "2007-06-06 14:50:25",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
  }
  // The client the stand-in starts ends at once; let the last ones go before the folder does.
  sleep(1);
  std::system(("rm -rf '" + folder + "'").c_str());
}
BENCHMARK(BM_LaunchProcess)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace pos_video
