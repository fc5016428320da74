#!/usr/bin/env bash
# Times the commands of remanex-cli as a user runs them: whole processes on a full
# sample file (500 samples of 49 steps, with stored results), Release build. Prints
# the median of several runs of each command beside its goal.
#
#   bench/commands.sh [RUNS]      (RUNS per command, 15 by default)
#   REMANEX_CLI=path/to/remanex-cli bench/commands.sh   (times that build instead)
set -euo pipefail
runs=${1:-15}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-release
real=$root/../shared/data/real

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DREMANEX_TESTS=OFF -DREMANEX_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target remanex-cli remanex-make-full-file >/dev/null
cli=${REMANEX_CLI:-$build/remanex-cli}  # another build can be timed the same way

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/remanex-make-full-file" "$work"
full=$work/full.mag

# The median wall time in milliseconds of `runs` runs of a shell snippet; `prepare`
# (not timed) runs before each.
median_ms() {
  local prepare=$1 snippet=$2 n=$3 times=() start end i
  for ((i = 0; i < n; i++)); do
    eval "$prepare"
    start=$EPOCHREALTIME
    eval "$snippet" >/dev/null 2>&1 || { echo "failed: $snippet" >&2; return 1; }
    end=$EPOCHREALTIME
    times+=("$(echo "($end - $start) * 1000" | bc -l)")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.1f", m }'
}

rows=()
row() {  # label, goal in ms, prepare, snippet[, runs]
  local ms
  ms=$(median_ms "$3" "$4" "${5:-$runs}")
  rows+=("$1|$ms|$2")
  printf '  %-66s %8s ms\n' "$1" "$ms" >&2
}

echo "Timing (median of $runs runs each) ..." >&2
row '`remanex-cli --help`' 3 : '"$cli" --help'
row '`samples`' 5 : '"$cli" samples "$full"'
row '`listing F 250`' 5 : '"$cli" listing "$full" 250'
row '`fisher --data lsq`' 5 : '"$cli" fisher "$full" --data lsq --coords t --weighted n'
row '`results`' 8 : '"$cli" results "$full"'
row '`fisher --data at --level 300`' 8 : '"$cli" fisher "$full" --data at --level 300 --coords t --estimate 60,0'
row '`convert` (tab)' 15 : '"$cli" convert "$work/FULL.tab" --overwrite'
row '`convert` (nta)' 15 : '"$cli" convert "$work/FULL.nta" --overwrite'

# A real section interpreted from a script: one fit of steps 6 to 15 of each of the
# 98 specimens of Simpson Island (AF), then the Fisher report of the fits.
if [ -f "$real/simpson_island_si1/SI1.tab" ]; then
  cp "$real/simpson_island_si1/SI1.tab" "$work/"
  "$cli" convert "$work/SI1.tab" --overwrite >/dev/null
  cp "$work/SI1.mag" "$work/SI1.pristine"
  : >"$work/plan.txt"
  for n in $(seq 1 98); do echo "$n 6,7,8,9,10,11,12,13,14,15 R" >>"$work/plan.txt"; done
  fisher='"$cli" fisher "$work/SI1.mag" --data lsq --coords t --weighted n'
  usage=$("$cli" --help 2>&1 || true)
  if [[ $usage == *--plan* ]]; then
    label='98 fits of Simpson Island AF + one Fisher report (fit --plan, 2 processes)'
    script='"$cli" fit "$work/SI1.mag" --plan "$work/plan.txt" && '$fisher
  else
    label='98 fits of Simpson Island AF + one Fisher report (99 processes)'
    script='while read -r n steps l; do "$cli" fit "$work/SI1.mag" "$n" --steps "$steps" --label "$l" || exit 1; done <"$work/plan.txt"; '$fisher
  fi
  row "$label" 50 'cp "$work/SI1.pristine" "$work/SI1.mag"' "$script" $(((runs + 2) / 3))
else
  echo "The Simpson Island data are not in $real: its row is left out." >&2
fi

echo
echo "Whole processes, Release build, $(nproc) cores; $(uname -sr)"
echo
echo "| Command | Median (ms) | Goal (ms) |"
echo "|---|---:|---:|"
for r in "${rows[@]}"; do
  IFS='|' read -r label ms goal <<<"$r"
  echo "| $label | $ms | ≤ $goal |"
done
