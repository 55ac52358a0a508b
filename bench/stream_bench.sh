#!/bin/sh
# The batch run's figures side by side in one run, on generated inputs (bench/make_input):
#  1. 100 000 elements, median of 5 wall times: the bare read-and-write of the same bytes (input
#     read, files of the result files' sizes written, synced and renamed as the program does),
#     `tavo run` with its result files on one thread and on every core, and `--no-files`;
#     with REF=path/to/an/older/tavo the same runs of that program beside them;
#  2. how wall time and peak memory grow with the number of elements (SIZES, default 10^3 to
#     10^6; add 10000000 for ten million: about 250 MB in and 10 GB out, deleted afterwards).
# usage: bench/stream_bench.sh [BUILD_DIR]      (environment: REF, SIZES, RUNS)
set -eu
build=${1:-build}
tavo=$build/install/tavo
make_input=$build/bench/make_input
sizes=${SIZES:-1000 10000 100000 1000000}
runs=${RUNS:-5}
for f in "$tavo" "$make_input" /usr/bin/time; do
  [ -x "$f" ] || { echo "missing $f (build the targets tavo and make_input)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Median wall seconds of $runs runs of the command (its output to /dev/null).
median() {
  : >"$work/times"
  i=0
  while [ "$i" -lt "$runs" ]; do
    /usr/bin/time -f %e -a -o "$work/times" "$@" >/dev/null 2>&1 || true
    i=$((i + 1))
  done
  sort -n "$work/times" | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
}

bare_io() {
  rm -rf "$work/io" && mkdir "$work/io"
  # shellcheck disable=SC2016
  median sh -c 'cat "$1" > /dev/null; shift; dir=$1; shift
    for s in "$@"; do head -c "$s" /dev/zero > "$dir/f.tmp" && sync "$dir/f.tmp" && mv "$dir/f.tmp" "$dir/f$s"; done' \
    sh "$work/in.Ardekon" "$work/io" $(for f in "$work"/out/*; do wc -c < "$f"; done)
}

"$make_input" 100000 "$work/in.Ardekon" >/dev/null
rm -rf "$work/out" && mkdir "$work/out"
"$tavo" run "$work/in.Ardekon" --out-dir "$work/out" >/dev/null
echo "100 000 elements: $(wc -c < "$work/in.Ardekon") bytes in, $(du -sb "$work/out" | cut -f1) bytes of result files"
echo
echo "| run | wall (median of $runs) | ratio to bare I/O |"
echo "|---|---|---|"
io=$(bare_io)
echo "| read the input, write and sync files of the same sizes | ${io} s | 1.0 |"
row() {
  label=$1; shift
  t=$(median "$@")
  echo "| $label | ${t} s | $(echo "$t $io" | awk '{ printf "%.1f", $1 / $2 }') |"
}
if [ -n "${REF:-}" ]; then
  row "before: \`tavo run\`, result files" "$REF" run "$work/in.Ardekon" --out-dir "$work/out"
  row "before: \`tavo run --no-files\`" "$REF" run --no-files "$work/in.Ardekon"
fi
row "\`tavo run --jobs 1\`, result files" "$tavo" run --jobs 1 "$work/in.Ardekon" --out-dir "$work/out"
row "\`tavo run\` (every core), result files" "$tavo" run "$work/in.Ardekon" --out-dir "$work/out"
row "\`tavo run --jobs 1 --no-files\`" "$tavo" run --jobs 1 --no-files "$work/in.Ardekon"
row "\`tavo run --no-files\` (every core)" "$tavo" run --no-files "$work/in.Ardekon"
row "\`tavo run --no-files --json\` (every core)" "$tavo" run --no-files --json "$work/in.Ardekon"

echo
echo "| elements | input | result files | wall | user | system | peak RSS |"
echo "|---|---|---|---|---|---|---|"
for n in $sizes; do
  "$make_input" "$n" "$work/in.Ardekon" >/dev/null
  rm -rf "$work/out" && mkdir "$work/out"
  /usr/bin/time -f "%e %U %S %M" -o "$work/one" "$tavo" run "$work/in.Ardekon" --out-dir "$work/out" >/dev/null
  read -r wall user sys rss < "$work/one"
  echo "| $n | $(($(wc -c < "$work/in.Ardekon") / 1000)) kB | $(($(du -sb "$work/out" | cut -f1) / 1000000)) MB |" \
    "${wall} s | ${user} s | ${sys} s | $((rss / 1024)) MiB |"
  rm -rf "$work/out" "$work/in.Ardekon"
done
