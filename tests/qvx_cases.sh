#!/usr/bin/env bash
# qvx_cases.sh QVX_COMMAND...: runs the cases of qvx_cases.tsv (or of $QVX_CASES) in tests/data
# against the command (e.g. build/native/cli/qvx, or scripts/wine-run build/win32/cli/qvx.exe),
# printing each failing case with a diff and then "N passed, M failed".
# A case: arguments as to a shell TAB stdin TAB exit code TAB stdout TAB stderr. The streams take
# \n, \t and \\; stdout and stderr lack their last newline, which every non-empty stream must end
# with (carriage returns are dropped, as a Windows program writes them).
set -uo pipefail
[ $# -gt 0 ] || { echo "usage: $0 QVX_COMMAND..." >&2; exit 2; }
cases="$(realpath "${QVX_CASES:-$(dirname "$0")/qvx_cases.tsv}")"
command=()
for word in "$@"; do [[ $word != /* && -e $word ]] && word="$PWD/$word"; command+=("$word"); done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$(dirname "$0")/data" || exit 2
set -f  # the arguments are unquoted on purpose; "2*X" must not glob
passed=0 failed=0 number=0
while IFS= read -r line || [ -n "$line" ]; do
  number=$((number + 1))
  line="${line%$'\r'}"
  [[ -z $line || $line == \#* ]] && continue
  mapfile -t f < <(printf '%s\n' "$line" | tr '\t' '\n')
  problems=""
  if [ ${#f[@]} -ne 5 ] || ! eval "args=(${f[0]})" 2>/dev/null; then
    problems="not five fields, or arguments a shell cannot read"$'\n'
  else
    printf '%b' "${f[1]}" >"$work/in"
    "${command[@]}" "${args[@]}" <"$work/in" >"$work/stdout" 2>"$work/stderr"
    status=$?
    [ "$status" = "${f[2]}" ] || problems+="exit code $status, want ${f[2]}"$'\n'
    for s in 3:stdout 4:stderr; do
      { [ -z "${f[${s%:*}]}" ] || printf '%b\n' "${f[${s%:*}]}"; } >"$work/want"
      diff="$(tr -d '\r' <"$work/${s#*:}" | diff -u --label "want ${s#*:}" --label got "$work/want" -)"
      [ -z "$diff" ] || problems+="$diff"$'\n'
    done
  fi
  if [ -z "$problems" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL line %d: qvx %s\n%s\n' "$number" "${f[0]}" "${problems%$'\n'}" | sed '2,$s/^/    /'
  fi
done <"$cases"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
