#!/usr/bin/env bash
# Converts every laboratory file of examples/ and of the real data sets with two
# builds of remanex-cli and checks that both give the same sample-file bytes, the
# same messages and the same exit status. Each file is also converted with its
# line ends changed (LF, CR), with blank lines added at its end, cut short in the
# middle of a line, and with a broken number, so that the error paths are compared
# too.
#
#   bench/compare_convert.sh OLD_CLI NEW_CLI [FOLDER...]
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 OLD_CLI NEW_CLI [FOLDER...]" >&2; exit 2; }
old=$(realpath "$1")
new=$(realpath "$2")
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
folders=("$@")
[ ${#folders[@]} -gt 0 ] || folders=("$root/examples" "$root/../shared/data/real")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The variants of one input file, written into folder $2.
variants() {
  local in=$1 dir=$2 base ext
  base=$(basename "$in")
  ext=${base##*.}
  cp "$in" "$dir/asis.$ext"
  tr -d '\r' <"$in" >"$dir/lf.$ext"
  tr -d '\n' <"$in" >"$dir/cr.$ext"
  { cat "$in"; printf '  \r\n\t\n\n   '; } >"$dir/trailing.$ext"
  head -c $(($(wc -c <"$in") * 2 / 3)) "$in" >"$dir/cut.$ext"
  sed '7s/[0-9]/x/3' "$in" >"$dir/badnumber.$ext"
  sed '5s/^\(.\{20\}\).*$/\1/' "$in" >"$dir/shortline.$ext"
}

checked=0
differ=0
while IFS= read -r -d '' input; do
  mkdir -p "$work/in"
  rm -f "$work"/in/*
  variants "$input" "$work/in"
  for variant in "$work"/in/*; do
    for cli in old new; do
      mkdir -p "$work/$cli"
      rm -f "$work/$cli"/*
      cp "$variant" "$work/$cli/"
      bin=$old
      [ $cli = new ] && bin=$new
      (cd "$work/$cli" && "$bin" convert "$(basename "$variant")" >stdout.txt 2>stderr.txt; echo $? >status.txt)
    done
    checked=$((checked + 1))
    if ! diff -r "$work/old" "$work/new" >/dev/null; then
      differ=$((differ + 1))
      echo "DIFFERENT: $input ($(basename "$variant"))"
      diff -r "$work/old" "$work/new" | head -5
    fi
  done
done < <(find "${folders[@]}" -type f \( -iname '*.app' -o -iname '*.tab' -o -iname '*.nta' -o -iname '*.cma' -o -iname '*.txt' \) -print0 | sort -z)

echo "$checked conversions compared, $differ different"
[ $differ -eq 0 ]
