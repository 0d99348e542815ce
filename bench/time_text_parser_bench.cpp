// Cost of one call of the time text parser, for the command line's format and for the longest
// composite directive.
#include <benchmark/benchmark.h>

#include <ctime>

#include "search_time/time_text_parser.h"

namespace pos_video {
namespace {

void ParseAndKeep(benchmark::State& state, const char* text, const char* format) {
  std::tm record{};
  for (auto _ : state) {
    const char* end = ParseTimeText(text, format, &record);
    benchmark::DoNotOptimize(end);
    benchmark::DoNotOptimize(record);
  }
}

void BM_CommandLineFormat(benchmark::State& state) {
  ParseAndKeep(state, "2007-06-06 14:50:25", "%Y-%m-%d %T");
}
BENCHMARK(BM_CommandLineFormat);

void BM_DateAndTimeDirective(benchmark::State& state) {
  ParseAndKeep(state, "06/06/07 14:50:25", "%c");
}
BENCHMARK(BM_DateAndTimeDirective);

}  // namespace
}  // namespace pos_video
