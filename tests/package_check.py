#!/usr/bin/env python3
"""package_check.py BUILD_DIR MANUAL_INCLUDE: builds qvx's .deb, unpacks it into a temporary root
and checks what a user gets: the program answers, the manual renders without a warning and its
examples ("$ qvx ..." and what follows, between .nf and .fi) hold, the completion completes."""
import glob, os, shlex, subprocess, sys, tempfile

build, include = sys.argv[1], sys.argv[2]
failures = []
run = lambda command, **kw: subprocess.run(command, capture_output=True, text=True, **kw)


def check(what, got, want):
    if got != want:
        failures.append(f"{what}: want {want!r}, got {got!r}")


with tempfile.TemporaryDirectory() as temp:
    made = run(["cpack", "-G", "DEB", "-B", temp], cwd=build)
    debs = glob.glob(os.path.join(temp, "qvx_*.deb"))
    if made.returncode != 0 or len(debs) != 1:
        sys.exit(f"cpack made no package:\n{made.stdout}{made.stderr}")
    root = os.path.join(temp, "root")
    subprocess.run(["dpkg-deb", "-x", debs[0], root], check=True)
    depends = run(["dpkg-deb", "-f", debs[0], "Depends"]).stdout
    check("Depends", [lib for lib in ("libc6", "libedit2", "libstdc++6") if lib not in depends], [])
    qvx, bin_dir = os.path.join(root, "usr/bin/qvx"), os.path.join(root, "usr/bin")
    check("the installed qvx", run([qvx, "2*(3+4)^2-sin(30)/7"]).stdout, "97.9286\n")

    manual = os.path.join(root, "usr/share/man/man1/qvx.1.gz")
    rendered = run(["man", "--warnings", "-l", manual], env={**os.environ, "MANWIDTH": "80"})
    check("man --warnings", rendered.stderr, "")
    check("sections", [s for s in ("SYNOPSIS", "FORMULA LANGUAGE", "FILES", "EXAMPLES") if s not in rendered.stdout], [])
    text = open(include, encoding="utf-8").read().replace("\\-", "-")
    examples = text.split("[EXAMPLES]")[1].split(".nf")[1].split(".fi")[0].strip().split("$ qvx")[1:]
    for example in examples:
        command, *expected = example.strip().split("\n")
        got = run([qvx] + shlex.split(command))
        check(f"manual example qvx {command}", (got.stdout + got.stderr).splitlines(), expected)
    check("manual examples", len(examples) >= 5, True)

    completion = os.path.join(root, "usr/share/bash-completion/completions/qvx")
    for words, want in ((["--j"], ["--json"]), (["--o"], ["--over"]), (["--over", "X"], ["X="]),
                        (["-n", "1"], ["1", "10", "11", "12", "13", "14", "15"]),
                        (["-n", "fr"], ["fraction\\ a/b", "fraction\\ a\\ b/c"]),
                        (["-f", manual[:-6]], [manual])):
        words = ["qvx"] + words
        script = (f"source /usr/share/bash-completion/bash_completion; source {shlex.quote(completion)}; "
                  f"COMP_WORDS=({shlex.join(words)}); COMP_CWORD={len(words) - 1}; COMP_LINE={shlex.quote(' '.join(words))}; "
                  'COMP_POINT=${#COMP_LINE}; _qvx qvx "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"; printf "%s\\n" "${COMPREPLY[@]}"')
        got = run(["bash", "-c", script], env={**os.environ, "PATH": bin_dir + os.pathsep + os.environ["PATH"]})
        check(f"completion of {words[1:]}", sorted(got.stdout.split("\n")[:-1]), want)

for failure in failures:
    print("FAIL", failure)
print(f"{len(failures)} problems")
sys.exit(1 if failures else 0)
