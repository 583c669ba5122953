#!/usr/bin/env python3
"""package_check.py BUILD_DIR MANUAL_INCLUDE: builds qvx's Debian package from the build tree,
unpacks it into a temporary root and checks what a user gets: the program answers, the manual
page renders without a warning and its examples give what it says, and the bash completion
offers the options and the notations."""
import glob, os, shlex, subprocess, sys, tempfile

build, include = sys.argv[1], sys.argv[2]
failures = []


def check(what, got, want):
    if got != want:
        failures.append(f"{what}: want {want!r}, got {got!r}")


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


with tempfile.TemporaryDirectory() as temp:
    made = run(["cpack", "-G", "DEB", "-B", temp], cwd=build)
    debs = glob.glob(os.path.join(temp, "qvx_*.deb"))
    if made.returncode != 0 or len(debs) != 1:
        sys.exit(f"cpack made no package:\n{made.stdout}{made.stderr}")
    root = os.path.join(temp, "root")
    subprocess.run(["dpkg-deb", "-x", debs[0], root], check=True)
    depends = run(["dpkg-deb", "-f", debs[0], "Depends"]).stdout
    for library in ("libc6", "libedit2", "libstdc++6"):
        check(f"Depends names {library}", library in depends, True)
    qvx = os.path.join(root, "usr/bin/qvx")
    answer = run([qvx, "2*(3+4)^2-sin(30)/7"])
    check("the installed qvx", (answer.returncode, answer.stdout), (0, "97.9286\n"))

    manual = os.path.join(root, "usr/share/man/man1/qvx.1.gz")
    rendered = run(["man", "--warnings", "-l", manual], env={**os.environ, "MANWIDTH": "80"})
    check("man --warnings", rendered.stderr, "")
    for section in ("SYNOPSIS", "FORMULA LANGUAGE", "FILES", "EXAMPLES"):
        check(f"the manual's {section}", section in rendered.stdout, True)

    # The examples: "$ qvx ..." and the lines it prints, between .nf and .fi.
    text = open(include, encoding="utf-8").read().replace("\\-", "-")
    examples = text.split("[EXAMPLES]")[1].split(".nf")[1].split(".fi")[0].strip().splitlines()
    command, expected, count = None, [], 0

    def finish():
        global count
        if command is None:
            return
        got = run([qvx] + shlex.split(command[len("$ qvx"):]))
        check(f"manual example {command}", (got.stdout + got.stderr).splitlines(), expected)
        count += 1

    for line in examples:
        if line.startswith("$ qvx"):
            finish()
            command, expected = line, []
        else:
            expected.append(line)
    finish()
    check("manual examples checked", count >= 5, True)

    # Completion, with the installed qvx first on the path.
    completion = os.path.join(root, "usr/share/bash-completion/completions/qvx")
    def complete(*words):
        script = (f"source /usr/share/bash-completion/bash_completion; source {shlex.quote(completion)}; "
                  f"COMP_WORDS=({' '.join(shlex.quote(w) for w in words)}); COMP_CWORD={len(words) - 1}; "
                  f"COMP_LINE={shlex.quote(' '.join(words))}; COMP_POINT=${{#COMP_LINE}}; "
                  "_qvx qvx \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD-1]}\"; "
                  "printf '%s\\n' \"${COMPREPLY[@]}\"")
        env = {**os.environ, "PATH": os.path.dirname(qvx) + os.pathsep + os.environ["PATH"]}
        return run(["bash", "-c", script], env=env).stdout.split("\n")[:-1]
    check("completion of --j", complete("qvx", "--j"), ["--json"])
    check("completion of -n 1", sorted(complete("qvx", "-n", "1")), ["1", "10", "11", "12", "13", "14", "15"])
    check("completion of -n fr", complete("qvx", "-n", "fr"), ["fraction\\ a\\ b/c", "fraction\\ a/b"])
    check("completion after -f", complete("qvx", "-f", os.path.join(root, "usr/share/man/man1/q")),
          [os.path.join(root, "usr/share/man/man1/qvx.1.gz")])

for failure in failures:
    print("FAIL", failure)
print(f"{'failed' if failures else 'passed'}: {len(failures)} problems")
sys.exit(1 if failures else 0)
