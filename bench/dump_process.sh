#!/usr/bin/env bash
# Wall time and peak memory of `qm dump` on the 1,000-line benchmark document.
# Builds nothing: give it the two programs of an existing (preferably Release) build.
#
#   bench/dump_process.sh build/release/qm build/release/bench/qm_make_sample [RUNS]
set -euo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 PATH/TO/qm PATH/TO/qm_make_sample [RUNS]" >&2
  exit 1
fi
qm=$1
make_sample=$2
runs=${3:-3}
for program in "$qm" "$make_sample"; do
  if [ ! -x "$program" ]; then
    echo "$0: $program is not an executable" >&2
    exit 1
  fi
done
if [ ! -x /usr/bin/time ]; then
  echo "$0: /usr/bin/time is missing (Debian package \"time\")" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sample="$work/SAMPLE.QM1"
"$make_sample" "$sample" >/dev/null
echo "document: $(stat -c %s "$sample") bytes, 1000 lines, 20 pictures"

export QT_QPA_PLATFORM=offscreen
for run in $(seq 1 "$runs"); do
  status=0
  /usr/bin/time -v -o "$work/time.txt" "$qm" dump "$sample" >/dev/null 2>"$work/stderr.txt" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "run $run: qm dump exited with $status:" >&2
    sed 's/^/  /' "$work/stderr.txt" >&2
    exit 1
  fi
  wall=$(sed -n 's/^\s*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt")
  rss=$(sed -n 's/^\s*Maximum resident set size (kbytes): //p' "$work/time.txt")
  echo "run $run: wall $wall, max RSS $rss KiB"
done
