#!/usr/bin/env python3
"""Checks the help pages and what is built from them.

  help_check.py pages            each topic the programs ask for has a page in each language; every
                                 link and contents, index and project entry finds its file; every
                                 engine message is shown in an element of class "msg"
  help_check.py examples QVX...  every example gives, run through qvx, what its page shows
  help_check.py chm FILE.chm...  each compiled help file holds every topic page
An example: an element of class "example" with one <kbd> (the formula) and one <samp> of class
"result" (stdout) or "msg" (stderr); data-qvx holds more qvx options; German pages add -g."""
import html.parser, re, shlex, subprocess, sys, tempfile
from pathlib import Path
from types import SimpleNamespace

ROOT = Path(__file__).resolve().parent.parent
HELP = ROOT / "help"
LANGUAGES = {"en": [], "de": ["-g"]}


class Page(html.parser.HTMLParser):  # the elements in order, each with its whole text and those around it
    def __init__(self, path):
        super().__init__()
        self.open, self.elements = [], []
        self.feed(path.read_text(encoding="utf-8"))

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        classes = (attrs.get("class") or "").split()
        self.elements.append(SimpleNamespace(tag=tag, attrs=attrs, classes=classes, up=list(self.open), text=""))
        if tag not in ("meta", "link", "br", "img", "hr", "input", "param"):
            self.open.append(self.elements[-1])

    def handle_endtag(self, tag):
        tags = [e.tag for e in self.open]
        if tag in tags:
            del self.open[len(tags) - 1 - tags[::-1].index(tag):]

    def handle_data(self, data):
        for e in self.open: e.text += data


def squeeze(text): return " ".join(text.split())
def topic_names(): return sorted({n for source in HELP.glob("help_*.cpp") for n in re.findall(r'"(P_\w+)"', source.read_text())})


def messages():
    """(name, [English, German]) of each {Msg::Name, "...", "..."} row; neighbouring literals join as in C++."""
    source = (ROOT / "engine" / "texts.cpp").read_text(encoding="utf-8")
    unescape = lambda s: re.sub(r"\\(.)", lambda m: {"n": "\n", "r": "\r", "t": "\t"}.get(m[1], m[1]), s)
    return [(name, "".join("\0" if comma else unescape(s) for s, comma in re.findall(r'"((?:[^"\\]|\\.)*)"|(,)', body))
             .split("\0")) for name, body in re.findall(r"\{Msg::(\w+),(.*?)\}", source, re.S)]


def check_pages(_):
    topics, rows, failures = topic_names(), messages(), []
    if "P_intro" not in topics or len(topics) < 10 or len(rows) < 40:
        failures.append(f"only {len(topics)} topics and {len(rows)} messages found")
    for index, lang in enumerate(LANGUAGES):
        folder = HELP / lang
        pages = {p.name: Page(p).elements for p in folder.glob("*.html")}
        failures += [f"{lang}: no page {t}.html" for t in topics if f"{t}.html" not in pages]
        project = next(folder.glob("*.hhp"), None) or failures.append(f"{lang}: no project file")
        listed = project.read_text().split("[FILES]")[1].split() if project else []
        failures += [f"{lang}: {name} is not in the project's file list" for name in pages if name not in listed]
        refs = [(name, e.attrs.get("href") or e.attrs.get("src")) for name, page in pages.items() for e in page]
        refs += [(f.name, r) for f in folder.glob("*.hh[ck]")
                 for r in re.findall(r'name="Local" value="([^"]+)"', f.read_text(encoding="utf-8"))]
        for origin, ref in refs + [("project", f) for f in listed]:
            ref = (ref or "").split("#")[0]
            if ref and not re.match(r"[a-z]+:", ref) and not (folder / ref).exists() and not (HELP / ref).exists():
                failures.append(f"{lang}/{origin}: {ref} does not exist")
        # Each part between format fields; a leading placeholder letter ("N  variable ...") stands for any.
        shown = " ".join(squeeze(e.text) for page in pages.values() for e in page if "msg" in e.classes)
        failures += [f"{lang}: message {name} not explained: {part!r}" for name, texts in rows
                     for part in re.split(r"%[-0-9.]*[a-zA-Z]", re.sub(r"^[A-Z] ", "", texts[index]))
                     if squeeze(part).strip(",: ") not in shown]
    return failures


def check_examples(qvx):
    failures, count = [], 0
    for lang, options in LANGUAGES.items():
        for path in sorted((HELP / lang).glob("*.html")):
            page = Page(path).elements
            for example in (e for e in page if "example" in e.classes):
                kbd, samp = ([e for e in page if example in e.up and e.tag == tag] for tag in ("kbd", "samp"))
                if len(kbd) != 1 or len(samp) != 1:
                    failures.append(f"{lang}/{path.name}: an example needs one <kbd> and one <samp>")
                    continue
                count += 1
                args = options + shlex.split(example.attrs.get("data-qvx", "")) + ["--", kbd[0].text]
                run = subprocess.run(qvx + args, capture_output=True, text=True, encoding="utf-8", timeout=60)
                failed = "msg" in samp[0].classes
                got = squeeze(run.stderr if failed else run.stdout)
                if got != squeeze(samp[0].text) or (run.returncode != 0) != failed:
                    failures.append(f"{lang}/{path.name}: qvx {shlex.join(args)} gives {got!r} "
                                    f"(exit {run.returncode}), the page shows {squeeze(samp[0].text)!r}")
    print(f"{count} examples checked")
    return failures + ([f"only {count} examples found"] if count < 50 else [])


def check_chm(files):
    failures = []
    for chm in files:
        with tempfile.TemporaryDirectory() as out:
            subprocess.run(["7z", "x", "-y", f"-o{out}", chm], capture_output=True)
            inside = {p.name for p in Path(out).rglob("*")}
            failures += [f"{chm}: no {name} inside" for name in [f"{t}.html" for t in topic_names()] +
                         ["style.css", "#SYSTEM", "#TOPICS"] if name not in inside]
    return failures


if __name__ == "__main__":
    command = {"pages": check_pages, "examples": check_examples, "chm": check_chm}.get((sys.argv + [""])[1]) or sys.exit(__doc__)
    failures = command(sys.argv[2:])
    print("\n".join(failures + [f"{sys.argv[1]}: {len(failures)} failure(s)"]))
    sys.exit(1 if failures else 0)
