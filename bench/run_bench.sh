#!/bin/sh
# End-to-end timing of `tavo run --no-files` over a generated input of N elements (default
# 100 000): wall time and peak memory from /usr/bin/time -v, table output to /dev/null.
# usage: bench/run_bench.sh [BUILD_DIR] [N]
set -eu
build=${1:-build}
n=${2:-100000}
tavo=$build/install/tavo
make_input=$build/bench/make_input
for f in "$tavo" "$make_input"; do
  [ -x "$f" ] || { echo "missing $f (build the targets tavo and make_input)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$make_input" "$n" "$work/bench.Ardekon"
echo "input: $n elements, $(wc -c < "$work/bench.Ardekon") bytes"
for mode in table json; do
  extra=""
  [ "$mode" = json ] && extra="--json"
  /usr/bin/time -v taskset -c 0 "$tavo" run --no-files $extra "$work/bench.Ardekon" > /dev/null 2> "$work/time.txt" || {
    cat "$work/time.txt" >&2; exit 1; }
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt")
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
  user=$(sed -n 's/.*User time (seconds): //p' "$work/time.txt")
  sys=$(sed -n 's/.*System time (seconds): //p' "$work/time.txt")
  cpu=$(sed -n 's/.*Percent of CPU this job got: //p' "$work/time.txt")
  echo "tavo run --no-files $extra: wall $wall, user ${user}s, system ${sys}s, CPU $cpu, peak RSS $((rss / 1024)) MB (one core)"
done
