#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a bounded time. Fails on the first finding: a
# crash, an assertion, a sanitizer report, a leak, an input slower than 10 s or memory beyond
# 2 GB. The input that caused it is kept as build/fuzz-runs/<target>/crash-* (or leak-, timeout-,
# oom-) and the log beside it; FUZZ_RUNS_DIR names another folder than build/fuzz-runs.
#
# usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (default 60 s each, every target)
#
# Each run starts from a scratch copy of the committed seed corpus in fuzz/corpus/<target>, so
# the committed corpus never grows by itself; new seeds are chosen by hand.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
[ -z "${FUZZ_RUNS_DIR:-}" ] || FUZZ_RUNS_DIR=$(mkdir -p "$FUZZ_RUNS_DIR" && cd "$FUZZ_RUNS_DIR" && pwd)

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(time_text_parser launch reader_walk)

# TinyXML is compiled from Debian's source with the fuzzer's instrumentation and its assertions.
scripts/fetch_tinyxml_source.sh build/tinyxml-source >/dev/null
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

for target in "${targets[@]}"; do
  run="${FUZZ_RUNS_DIR:-$root/build/fuzz-runs}/$target"
  rm -rf "$run"
  mkdir -p "$run/corpus" "$run/tmp"
  cp "fuzz/corpus/$target/"* "$run/corpus/"
  echo "fuzzing $target for $seconds s (log: $run/log)"
  status=0
  # Absolute paths throughout: a target may change its current folder. Its scratch files go to
  # $run/tmp, so a crashed run leaves nothing in the machine's /tmp.
  TMPDIR="$run/tmp" "build/fuzz/bin/${target}_fuzz" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 -artifact_prefix="$run/" \
    "$run/corpus" >"$run/log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$run/log")
  coverage=$(grep -a -o 'cov: [0-9]*' "$run/log" | tail -n 1 || true)
  echo "  $target: ${runs:-?} executions (${rate:-?}/s), ${coverage:-cov: ?}, exit status $status"
  if [ "$status" -ne 0 ]; then
    grep -a -m 1 -A 30 -E '^==[0-9]+==|^pos-video fuzz|runtime error|Assertion' "$run/log" >&2 || true
    ls "$run" | grep -E '^(crash|leak|timeout|oom|slow-unit)-' >&2 || true
    echo "FINDING in $target: see $run/log" >&2
    exit 1
  fi
done
