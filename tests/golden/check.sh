#!/usr/bin/env bash
# The golden-output test: every text and file remanex-cli makes from the bundled
# examples (tools/capture-outputs --examples) must hash as recorded in outputs.sha256,
# one hash for each example and kind of output.
#   bash tests/golden/check.sh BUILD/remanex-cli            compares
#   bash tests/golden/check.sh BUILD/remanex-cli --update   records the outputs anew
# After a deliberate change of output, look at what changed (capture with the old and
# the new build and diff -r the folders) before recording.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$here/../../tools/capture-outputs" --examples "$cli" "$work/out" >/dev/null

kind() {
  case $1 in
    convert.*|converted.mag) echo convert ;;
    fitted.mag|listings) echo fits ;;
    fisher-*) echo fisher ;;
    plot-*|paper-*|*-zijderveld.txt|stereographic.txt|equal-area.txt|zijderveld.txt|styled.txt|ellipse-*) echo plots ;;
    all-*) echo all-samples ;;
    *) echo "$1" ;;
  esac
}

cd "$work/out"
for d in */; do
  d=${d%/}
  for f in $(ls "$d"); do echo "$(kind "$f") $d/$f"; done | sort | awk '{ print $1, $2 }' |
    while read -r k f; do printf '%s %s ' "$d" "$k"; { echo "$f"; cat "$f"; } | sha256sum | cut -c1-64; done |
    awk '{ key = $1 " " $2; h[key] = h[key] $3 } END { for (k in h) print k, h[k] }'
done | while read -r d k all; do echo "$d $k $(echo "$all" | sha256sum | cut -c1-16)"; done | sort >"$work/got"

if [ "${2:-}" = --update ]; then
  cp "$work/got" "$here/outputs.sha256"
  echo "recorded $(wc -l <"$work/got") hashes in $here/outputs.sha256"
  exit 0
fi
if ! diff "$here/outputs.sha256" "$work/got" >"$work/diff"; then
  echo "The outputs differ from those recorded (example, kind, hash; < recorded, > now):"
  cat "$work/diff"
  exit 1
fi
echo "$(wc -l <"$work/got") outputs as recorded"
