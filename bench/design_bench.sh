#!/bin/sh
# End-to-end timing of `tavo run --design SET` over a generated input of N elements (default
# 10 000) on every core: wall and CPU time from /usr/bin/time -v, the table to /dev/null.
# usage: bench/design_bench.sh [BUILD_DIR] [N] [SET...]   (sets default: 2IPB and IPE+2PL)
set -eu
build=${1:-build}
n=${2:-10000}
[ $# -gt 2 ] && shift 2 || set -- "2IPB" "IPE+2PL"
tavo=$build/install/tavo
make_input=$build/bench/make_input
for f in "$tavo" "$make_input"; do
  [ -x "$f" ] || { echo "missing $f (build the targets tavo and make_input)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$make_input" "$n" "$work/bench.Ardekon"
echo "input: $n elements, $(nproc) cores"
for set in "$@"; do
  count=$("$tavo" --install "$build/install" design --kind beam --length 0 --set "$set" --P 1e12 --json 2>&1 >/dev/null |
          sed -n 's/.*(\([0-9]*\) within.*/\1/p')
  /usr/bin/time -v "$tavo" run --quiet --design "$set" "$work/bench.Ardekon" > /dev/null 2> "$work/time.txt" || {
    cat "$work/time.txt" >&2; exit 1; }
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt")
  user=$(sed -n 's/.*User time (seconds): //p' "$work/time.txt")
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
  proposed=$(tail -n +2 "$work/bench.design.csv" | awk -F, '$5 != "\"\"" { p++ } END { print p + 0 }')
  echo "tavo run --design $set ($count candidates): wall $wall, user ${user}s, peak RSS $((rss / 1024)) MB, $proposed of $n elements with a proposal"
done
