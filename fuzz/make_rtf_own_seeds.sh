#!/usr/bin/env bash
# Writes the seeds of fuzz_rtf_own: RTF documents the program writes itself, each with what its
# text must show, taken from the program's other output of the same thing:
#   fuzz/corpus/rtf_own/NAME.rtf     the document, exactly as written
#   fuzz/rtf_own_expected/NAME.txt   "line<TAB>text": a line of the document's text, in order
#                                    (a report: its text-format lines; a result table: the CSV rows)
# Usage: fuzz/make_rtf_own_seeds.sh [path/to/tavo]   (default: build/install/tavo)
set -euo pipefail
export LC_ALL=C.UTF-8
here=$(cd "$(dirname "$0")/.." && pwd)
tavo=${1:-$here/build/install/tavo}
seeds=$here/fuzz/corpus/rtf_own
expected=$here/fuzz/rtf_own_expected
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$seeds" "$expected"

# One member's report, in RTF and as text.
report() {  # example id lang
  local name=report-$1-$2-$3
  "$tavo" report --input "$here/examples/$1.Ardekon" --id "$2" --lang "$3" --format rtf \
    --out "$seeds/$name.rtf" >/dev/null
  "$tavo" report --input "$here/examples/$1.Ardekon" --id "$2" --lang "$3" --format text |
    awk 'NF { sub(/^[ \t]+/, ""); sub(/[ \t\r]+$/, ""); print "line\t" $0 }' >"$expected/$name.txt"
}
for id in 1 2 3 4 5 6 7 8 9; do report frame $id en; report frame $id fa; done
for id in 11 12 21 31 32 33; do report tower_ton_m $id en; done
for id in 11 31; do report tower_ton_m $id fa; done
for id in 4 9 13 14 17 21 23 24; do report all_families $id en; done
for id in 9 23; do report all_families $id fa; done
for id in 1 3 4 6 9; do report diagnostics $id en; done
report diagnostics 9 fa

# The result table of a run over a few elements; its rows are the CSV's rows of numbers.
table() {  # name, then the element lines
  local name=$1
  shift
  {
    echo "Software=Ardekon  Version=7.12  Module=tavo  Title=$name"
    echo "NO=$#,0,0  Units=[kg]-[cm]"
    printf '%s\n' "$@"
  } >"$work/$name.Ardekon"
  "$tavo" run "$work/$name.Ardekon" >/dev/null 2>&1 || true
  cp "$work/${name}_Out.rtf" "$seeds/table-$name.rtf"
  awk -F, '/^[0-9]/ { row = $1; ok = 1
                      for (i = 2; i <= 13; ++i) { if ($i !~ /^-?[0-9.]+$/) ok = 0; row = row "\t" $i }
                      if (ok) print "line\t" row }' "$work/${name}_Out.csv" >"$expected/table-$name.txt"
}
table two-columns "1   IPB20  L=320" "2   IPE30+2PL200*10  L=600"
table three-families "1   TUBE 219*8  L=450" "2   2L80<>  (d=8)  L=300" "3   PG 600*8*250*15  L=900"
table with-an-error "1   IPE30  L=400" "2   L55  L=300" "3   2UNP20  (d=12)  L=400"

# The formula template the reports read: its symbols and every formula block.
cp "$here/data/resources/formula_tavo.rtf" "$seeds/formula-template.rtf"
printf '%s\n' $'ok\t\u2714\tSegoe UI Symbol' $'notok\t\u2718\tSegoe UI Symbol' \
  $'block\tFb =\tFb = 0.66 Fy (compact, Lb < Lc), 0.6 Fy (otherwise, Lb < Lc)' \
  $'block\tMmax =\tMmax = S1 Fb / 100000' $'block\tTmax =\tTmax = 0.6 Fy A / 1000' \
  $'block\tCc =\tCc = 6440 / \u221aFy' \
  $'block\tFa =\tFa = Fy (1 \u2212 q\u00b2 / 2) / FS,  q = \u03bb / Cc,  FS = 1.67 + 0.375 q \u2212 0.125 q\u00b3' \
  $'block\tPmax =\tPmax = Fa A / 1000' >"$expected/formula-template.txt"
ls "$seeds" | wc -l
