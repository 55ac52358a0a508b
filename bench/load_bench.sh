#!/bin/sh
# Load figures of `tavo run` with its result files: wall time and peak memory over N elements
# (default 100 000 and 1 000 000), and the ratio of a 100 000-element run to the time the
# machine needs only to read the input and write files of the result files' sizes (synced,
# renamed into place, as the program does).
# usage: bench/load_bench.sh [BUILD_DIR] [N...]
set -eu
build=${1:-build}
[ $# -gt 0 ] && shift
sizes=${*:-100000 1000000}
tavo=$build/install/tavo
make_input=$build/bench/make_input
for f in "$tavo" "$make_input" /usr/bin/time; do
  [ -x "$f" ] || { echo "missing $f (build the targets tavo and make_input)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
field() { sed -n "s/.*$1: //p" "$work/time.txt"; }
for n in $sizes; do
  "$make_input" "$n" "$work/in.Ardekon"
  rm -rf "$work/out" && mkdir "$work/out"
  /usr/bin/time -v "$tavo" run "$work/in.Ardekon" --out-dir "$work/out" > /dev/null 2> "$work/time.txt" || {
    cat "$work/time.txt" >&2; exit 1; }
  echo "tavo run, $n elements ($(wc -c < "$work/in.Ardekon") bytes in, $(du -sb "$work/out" | cut -f1) bytes out):" \
    "wall $(field 'Elapsed (wall clock) time (h:mm:ss or m:ss)'), user $(field 'User time (seconds)')s," \
    "system $(field 'System time (seconds)')s, peak RSS $(($(field 'Maximum resident set size (kbytes)') / 1024)) MB"
  if [ "$n" = 100000 ]; then
    start=$(date +%s.%N)
    /usr/bin/time -f %e -o "$work/run.txt" "$tavo" run "$work/in.Ardekon" --out-dir "$work/out" > /dev/null
    run=$(cat "$work/run.txt")
    mkdir -p "$work/io"
    /usr/bin/time -f %e -o "$work/io.txt" sh -c '
      cat "$1" > /dev/null; shift; dir=$1; shift
      for s in "$@"; do head -c "$s" /dev/zero > "$dir/f.tmp" && sync "$dir/f.tmp" && mv "$dir/f.tmp" "$dir/f$s"; done' \
      sh "$work/in.Ardekon" "$work/io" $(for f in "$work"/out/*; do wc -c < "$f"; done)
    io=$(cat "$work/io.txt")
    echo "  100 000 elements: run ${run}s, read input + write result-sized files ${io}s," \
      "ratio $(echo "$run $io" | awk '{ printf "%.1f", $1 / $2 }')"
  fi
  rm -rf "$work/out" "$work/io"
done
