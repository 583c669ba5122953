#!/usr/bin/env python3
# qvx_cases.py QVX_COMMAND...: runs the cases of qvx_cases.tsv (or of $QVX_CASES) in tests/data
# against the command (e.g. build/native/cli/qvx, or scripts/wine-run build/win32/cli/qvx.exe),
# printing each failing case and then "N passed, M failed".
# A case: arguments as to a shell TAB stdin TAB exit code TAB stdout TAB stderr. The streams take
# \n, \r, \t and \\; stdout and stderr lack their last newline, which every non-empty stream must end
# with (carriage returns are dropped, as a Windows program writes them).
import os, re, shlex, subprocess, sys

here, command = os.path.dirname(os.path.abspath(__file__)), [os.path.abspath(w) if os.path.exists(w) else w for w in sys.argv[1:]]
cases = os.path.abspath(os.environ.get("QVX_CASES") or os.path.join(here, "qvx_cases.tsv"))
os.chdir(os.path.join(here, "data"))
unescape = lambda s: re.sub(r"\\(.)", lambda m: {"n": "\n", "r": "\r", "t": "\t"}.get(m[1], m[1]), s)
passed = failed = 0
for number, line in enumerate(open(cases, encoding="utf-8"), 1):
    line = line.rstrip("\r\n")
    if not line or line.startswith("#"):
        continue
    args, stdin, *want = line.split("\t")
    run = subprocess.run(command + shlex.split(args), input=unescape(stdin).encode(), capture_output=True)
    got = [str(run.returncode)] + [s.decode(errors="replace").replace("\r", "") for s in (run.stdout, run.stderr)]
    want = want[:1] + [unescape(s) + "\n" if s else "" for s in want[1:]]
    if got == want:
        passed += 1
        continue
    failed += 1
    problems = [f"{what}: want {w!r}, got {g!r}" for what, w, g in zip(("exit code", "stdout", "stderr"), want, got) if w != g]
    print(f"FAIL line {number}: qvx {args}\n    " + "\n    ".join(problems or ["not five fields"]))
print(f"{passed} passed, {failed} failed")
sys.exit(0 if passed and not failed else 1)
