#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UBSan) and runs each one on a
# copy of its committed seeds, with its dictionary when there is one. Prints, per target,
# the executions, the coverage reached and what was found.
#
#   tools/fuzz.sh [--time SECONDS] [--runs N] [--jobs J] [--out DIR] [TARGET...]
#
#   --time   stop each target after this many seconds (default 600)
#   --runs   stop each target after this many executions (default: no limit)
#   --jobs   run this many targets at once (default 1)
#   --out    keep work corpora, logs and findings here (default build/fuzz-runs)
#   TARGET   estimate_file, ini_file, ... (default: every fuzz/*_fuzz.cpp)
#
# A target stops at whichever limit comes first. Inputs that broke a promise land in
# OUT/<target>/findings/; replay one with build/fuzz/fuzz/qm_libfuzzer_<target> FILE. Once
# the fault is fixed the input joins fuzz/corpus/<target>/ as a seed; until then it goes
# to fuzz/regressions/<target>/. New corpus entries stay in OUT/<target>/corpus/: copy one
# into the committed seeds only when it covers what they do not.
#
# Exits 1 when any target found something, 2 when the build failed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
time_limit=600
runs=0
jobs=1
out="$root/build/fuzz-runs"
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --time) time_limit=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    -h|--help) sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/fuzz/*_fuzz.cpp; do
    name=$(basename "$f" _fuzz.cpp)
    targets+=("$name")
  done
fi

if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is needed (apt-get install clang libclang-rt-14-dev)" >&2
  exit 2
fi

build="$root/build/fuzz"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_LIBFUZZER=ON -DQM_SANITIZE=ON \
    -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=OFF >/dev/null || exit 2
fi
build_targets=()
for t in "${targets[@]}"; do build_targets+=("qm_libfuzzer_$t"); done
cmake --build "$build" --target "${build_targets[@]}" || exit 2

run_one() {
  local t=$1
  local dir="$out/$t"
  mkdir -p "$dir/corpus" "$dir/findings"
  cp -n "$root/fuzz/corpus/$t"/* "$dir/corpus/" 2>/dev/null || true
  # An input slower than a minute is a finding (timeout-*); one slower than usual is only
  # noted: on a busy machine the fuzzer's own clock says little.
  local args=(-rss_limit_mb=2048 -malloc_limit_mb=512 -timeout=60 -report_slow_units=60 -print_final_stats=1
              -max_total_time="$time_limit" -artifact_prefix="$dir/findings/")
  [ "$runs" -gt 0 ] && args+=(-runs="$runs")
  [ -f "$root/fuzz/$t.dict" ] && args+=(-dict="$root/fuzz/$t.dict")
  QT_QPA_PLATFORM=offscreen "$build/fuzz/qm_libfuzzer_$t" "${args[@]}" "$dir/corpus" >"$dir/log" 2>&1 || true
}

# Run the targets, at most $jobs at once.
running=0
for t in "${targets[@]}"; do
  run_one "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait

found_any=0
printf '%-15s %12s %8s %8s %9s %9s\n' target executions exec/s cov features findings
for t in "${targets[@]}"; do
  dir="$out/$t"
  log="$dir/log"
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -1 | awk '{print $2}')
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | tail -1 | awk '{print $2}')
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | awk '{print $2}')
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | awk '{print $2}')
  findings=$(find "$dir/findings" -type f ! -name 'slow-unit-*' | wc -l)
  [ "$findings" -gt 0 ] && found_any=1
  printf '%-15s %12s %8s %8s %9s %9s\n' "$t" "${execs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}" "$findings"
  find "$dir/findings" -type f ! -name 'slow-unit-*' | sed 's/^/    /'
  find "$dir/findings" -type f -name 'slow-unit-*' | sed 's/^/    (slow, not a finding) /'
done
echo "logs and corpora: $out"
exit $found_any
