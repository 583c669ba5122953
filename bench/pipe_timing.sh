#!/usr/bin/env bash
# pipe_timing.sh BENCH QVX [QVX...]: times the 10,000-formula batch of
# quorvex_bench piped into each qvx and, when bc is installed, into bc -l,
# three times each, taking turns so that a busy machine slows all alike.
# Prints seconds per run, microseconds per formula and each one's median.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 BENCH QVX [QVX...]" >&2; exit 2; }
bench="$1"; shift
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$bench" --write-batch qvx >"$work/batch.qvx"
"$bench" --write-batch bc >"$work/batch.bc"
count=$(wc -l <"$work/batch.qvx")

programs=("$@")
command -v bc >/dev/null && programs+=(bc)
TIMEFORMAT=%R
for round in 1 2 3; do
  for program in "${programs[@]}"; do
    if [ "$program" = bc ]; then
      seconds=$( { time cat "$work/batch.bc" | bc -l >/dev/null; } 2>&1 )
    else
      seconds=$( { time cat "$work/batch.qvx" | "$program" -r >/dev/null; } 2>&1 )
    fi
    perFormula=$(awk -v s="$seconds" -v n="$count" 'BEGIN { printf "%.1f", s * 1e6 / n }')
    printf 'round %d  %-40s %6s s  %6s us/formula\n' "$round" "$program" "$seconds" "$perFormula"
    echo "$program $perFormula" >>"$work/times"
  done
done
# The median of the three rounds, which a busy moment sways least.
for program in "${programs[@]}"; do
  median=$(awk -v p="$program" '$1 == p { print $2 }' "$work/times" | sort -n | sed -n 2p)
  printf 'median   %-40s %6s us/formula\n' "$program" "$median"
done
