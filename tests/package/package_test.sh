#!/usr/bin/env bash
# The Debian package as a user gets it.
#   package_test.sh build <deb dir> <cpack> <CPackConfig.cmake>   builds the one .deb the checks read
#   package_test.sh check <deb dir> <source dir> <tavo of the build> <version>
set -uo pipefail

if [[ ${1:-} == build ]]; then
  deb_dir=$2
  rm -rf "$deb_dir"  # a package of an older version must not be the one checked
  exec "$3" --config "$4" -B "$deb_dir"
fi
[[ ${1:-} == check && $# -eq 5 ]] || { echo "usage: $0 build|check ..." >&2; exit 2; }
deb_dir=$2 source=$3 build_tavo=$4 version=$5

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
debs=("$deb_dir"/tavolin_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "FAIL: expected one tavolin .deb in $deb_dir" >&2; exit 1; }
deb=${debs[0]}
root=$scratch/root
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x $deb" >&2; exit 1; }

# --- what the package holds and declares
for f in usr/bin/tavo usr/bin/tavolin \
         usr/share/tavolin/cte/constants.ini usr/share/tavolin/cte/stahl.IPE usr/share/tavolin/cte/stahl.L \
         usr/share/tavolin/bin/dat/Ardekon_Images.dat usr/share/tavolin/bin/dat/Ardekon_Formulas.dat \
         usr/share/tavolin/bin/dat/Ardekon_tables.dat \
         usr/share/tavolin/bin/help/tavo.pdf usr/share/tavolin/bin/help/tavo_fa.pdf \
         usr/share/applications/tavolin.desktop usr/share/mime/packages/tavolin.xml \
         usr/share/icons/hicolor/scalable/apps/tavolin.svg \
         usr/share/man/man1/tavo.1.gz usr/share/man/man1/tavolin.1.gz \
         usr/share/bash-completion/completions/tavo \
         usr/share/doc/tavolin/copyright usr/share/doc/tavolin/changelog.Debian.gz; do
  [[ -s $root/$f ]] || fail "missing or empty in the package: /$f"
done
for f in "$source"/data/cte/stahl.*; do
  cmp -s "$f" "$root/usr/share/tavolin/cte/${f##*/}" || fail "catalogue file ${f##*/} differs from its source"
done
[[ $(dpkg-deb -f "$deb" Section) == science ]] || fail "Section is not science"
[[ $(dpkg-deb -f "$deb" Version) == "$version"-* ]] || fail "Version $(dpkg-deb -f "$deb" Version) is not $version-<release>"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libsqlite3-0 libstdc++6; do
  [[ $depends == *"$lib "* ]] || fail "Depends lacks $lib (shared-library dependencies not computed): $depends"
done

# --- the programs run from the unpacked root on its own tree
tavo=$root/usr/bin/tavo
got=$("$tavo" --version 2>&1)
[[ $got == "tavo $version" ]] || fail "tavo --version printed '$got', not 'tavo $version'"
"$root/usr/bin/tavolin" --help | grep -q "Usage: tavolin" || fail "tavolin --help printed no usage"

mkdir -p "$scratch/work/packaged" "$scratch/work/built"
cp "$source/examples/frame.Ardekon" "$scratch/work/"
# Started by name through PATH, from a folder that is neither the root's nor the build's.
(cd "$scratch/work" && PATH="$root/usr/bin:$PATH" tavo run frame.Ardekon --out-dir packaged >/dev/null 2>"$scratch/packaged.err") ||
  fail "tavo run from the package failed: $(cat "$scratch/packaged.err")"
(cd "$scratch/work" && "$build_tavo" run frame.Ardekon --out-dir built >/dev/null 2>&1) || fail "tavo run of the build failed"
for f in frame_Out.csv frame_Out.rtf book.tmp; do
  [[ -s $scratch/work/packaged/$f ]] || fail "tavo run from the package wrote no $f"
  # The two runs may fall in different seconds: their date and time are not compared.
  cmp -s <(sed -E 's/(Date: ?|time: ?)[0-9][0-9:. -]*//g' "$scratch/work/packaged/$f") \
         <(sed -E 's/(Date: ?|time: ?)[0-9][0-9:. -]*//g' "$scratch/work/built/$f") ||
    fail "$f from the package differs from the build's"
done

# --- manual pages render without complaint
for page in tavo tavolin; do
  out=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>"$scratch/man.err")
  [[ -s $scratch/man.err ]] && fail "man -l $page.1.gz warned: $(cat "$scratch/man.err")"
  grep -q "^NAME" <<<"$out" || fail "$page(1) renders without a NAME section"
done
tavo_page=$(MANWIDTH=120 man -l "$root/usr/share/man/man1/tavo.1.gz" 2>/dev/null)
for sub in $("$tavo" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p'); do
  grep -q "tavo $sub" <<<"$tavo_page" || fail "tavo(1) has no section for the subcommand $sub"
done
grep -q -- "--out-dir" <<<"$tavo_page" || fail "tavo(1) does not show the options of tavo run"

# --- desktop entry, file type and icon
desktop=$root/usr/share/applications/tavolin.desktop
if command -v desktop-file-validate >/dev/null; then
  msg=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $msg"
else
  echo "note: desktop-file-validate not installed (package desktop-file-utils); entry not validated" >&2
fi
grep -qx "Exec=tavolin %f" "$desktop" || fail "the desktop entry does not start tavolin with the file"
grep -qx "MimeType=application/x-ardekon;" "$desktop" || fail "the desktop entry does not declare application/x-ardekon"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f $root/usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "the desktop entry's icon '$icon' is not in the package"
if command -v update-mime-database >/dev/null; then
  mkdir -p "$scratch/mime/packages"
  cp "$root/usr/share/mime/packages/tavolin.xml" "$scratch/mime/packages/"
  update-mime-database "$scratch/mime" 2>"$scratch/mime.err" || fail "update-mime-database: $(cat "$scratch/mime.err")"
  # Globs match either case, so the database keeps them in lower case.
  grep -qi ":application/x-ardekon:\*\.ardekon$" "$scratch/mime/globs2" 2>/dev/null ||
    fail "the MIME database does not map *.Ardekon to application/x-ardekon"
else
  echo "note: update-mime-database not installed (package shared-mime-info); file type not checked" >&2
fi

# --- bash completion: subcommands, options of the subcommand, values, input files
touch "$scratch/work/other.Ardekon" "$scratch/work/notes.txt"
completion=$root/usr/share/bash-completion/completions/tavo
complete_words() {  # the completions offered for the words given, the last being completed
  (cd "$scratch/work" && bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tavo
                                  printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' _ "$completion" "$@")
}
expect_completion() {
  local want=$1
  shift
  local got
  got=$(complete_words "$@")
  [[ $got == "$want" ]] || fail "completing '$*' offered '$got', not '$want'"
}
expect_completion "report run " tavo r
expect_completion "--out-dir " tavo run --o
expect_completion "beam bracing " tavo section --kind b
expect_completion "en fa " tavo report --lang ""
expect_completion "--version " tavo --v
expect_completion "built frame.Ardekon other.Ardekon packaged " tavo --persian run ""
run_options=$(complete_words tavo run --)
for opt in $("$tavo" run --help | sed -n 's/^  \(-[a-z],\)\{0,1\}\(--[a-z][a-z-]*\).*/\2/p'); do
  [[ " $run_options " == *" $opt "* ]] || fail "completion of 'tavo run --' lacks $opt"
done

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package checks passed: $deb"
