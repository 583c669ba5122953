#!/usr/bin/env bash
# qvx_cases.sh QVX_COMMAND...: runs every case of qvx_cases.tsv (or of the
# file named by $QVX_CASES) against the given command, e.g.
#   tests/qvx_cases.sh build/native/cli/qvx
#   tests/qvx_cases.sh scripts/wine-run build/win32/cli/qvx.exe
# Prints each failing case with a diff and ends with "N passed, M failed".
#
# A case is one line of five TAB-separated fields:
#   arguments  stdin  exit code  stdout  stderr
# The arguments are written as to a shell (quote them). stdin, stdout and
# stderr take the escapes \n, \t and \\; an empty stdin field means none, and
# stdout/stderr hold their lines without the last newline, which every
# non-empty stream must end with. Lines starting with # and blank lines are
# skipped. The cases run in tests/data.
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 QVX_COMMAND..." >&2
  exit 2
fi
cases="${QVX_CASES:-$(dirname "${BASH_SOURCE[0]}")/qvx_cases.tsv}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Splits $1 at every tab into the array "fields", keeping empty fields
# (read with IFS=$'\t' would merge neighbouring tabs).
split_tabs() {
  local rest="$1"
  fields=()
  while [[ "$rest" == *$'\t'* ]]; do
    fields+=("${rest%%$'\t'*}")
    rest="${rest#*$'\t'}"
  done
  fields+=("$rest")
}

# The expected stream: escapes decoded, the final newline added.
expected_stream() {
  [ -n "$1" ] && printf '%b\n' "$1"
}

# The stream as the program wrote it, without the carriage returns a Windows
# program puts before each newline.
actual_stream() {
  tr -d '\r' <"$1"
}

show_diff() {
  local name="$1" expected="$2" actual="$3"
  diff -u --label "expected $name" --label "actual $name" "$expected" "$actual" | sed 's/^/    /'
}

# The cases run in tests/data, so a formula file is named as "formulas.omb"
# and messages that name it read the same in every checkout.
command=()
for word in "$@"; do
  [[ "$word" != /* && -e "$word" ]] && word="$PWD/$word"
  command+=("$word")
done
set -- "${command[@]}"
data="$(cd "$(dirname "${BASH_SOURCE[0]}")/data" && pwd)"
[[ "$cases" != /* ]] && cases="$PWD/$cases"
cd "$data" || exit 2

set -f  # the arguments are unquoted on purpose; "2*X" must not glob
passed=0
failed=0
number=0
while IFS= read -r line || [ -n "$line" ]; do
  number=$((number + 1))
  line="${line%$'\r'}"
  [[ -z "$line" || "$line" == \#* ]] && continue
  split_tabs "$line"
  if [ ${#fields[@]} -ne 5 ]; then
    echo "FAIL line $number: ${#fields[@]} fields, want 5: $line"
    failed=$((failed + 1))
    continue
  fi
  if ! eval "args=(${fields[0]})" 2>/dev/null; then
    echo "FAIL line $number: cannot read the arguments: ${fields[0]}"
    failed=$((failed + 1))
    continue
  fi
  if [ -n "${fields[1]}" ]; then
    printf '%b' "${fields[1]}" >"$work/stdin"
  else
    : >"$work/stdin"
  fi
  "$@" "${args[@]}" <"$work/stdin" >"$work/out.raw" 2>"$work/err.raw"
  status=$?
  expected_stream "${fields[3]}" >"$work/out.want"
  expected_stream "${fields[4]}" >"$work/err.want"
  actual_stream "$work/out.raw" >"$work/out"
  actual_stream "$work/err.raw" >"$work/err"

  problems=""
  [ "$status" = "${fields[2]}" ] || problems+="    exit code $status, want ${fields[2]}"$'\n'
  cmp -s "$work/out.want" "$work/out" || problems+="$(show_diff stdout "$work/out.want" "$work/out")"$'\n'
  cmp -s "$work/err.want" "$work/err" || problems+="$(show_diff stderr "$work/err.want" "$work/err")"$'\n'
  if [ -z "$problems" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL line $number: qvx ${fields[0]}"
    printf '%s' "$problems"
  fi
done <"$cases"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
