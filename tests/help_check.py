#!/usr/bin/env python3
"""Checks the help pages and what is built from them.

  help_check.py pages              every topic has a page in each language, every
                                   link and project entry finds its file, and every
                                   message of the engine is explained on a page
  help_check.py examples QVX...    every example on the pages gives, run through
                                   the qvx command QVX, the result the page shows
  help_check.py chm FILE.chm...    each compiled help file holds every topic page

An example is an element of class "example" holding one <kbd> (the formula)
and one <samp> of class "result" (standard output) or "msg" (the message on
standard error); its data-qvx attribute holds further qvx options. German
pages run qvx with -g.
"""
import html.parser
import re
import shlex
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
HELP = ROOT / "help"
LANGUAGES = {"en": [], "de": ["-g"]}


class Element:
    def __init__(self, tag, attrs):
        self.tag, self.attrs, self.children = tag, dict(attrs), []

    def classes(self):
        return (self.attrs.get("class") or "").split()

    def text(self):
        return "".join(c if isinstance(c, str) else c.text() for c in self.children)

    def walk(self):
        yield self
        for c in self.children:
            if isinstance(c, Element):
                yield from c.walk()


class PageParser(html.parser.HTMLParser):
    VOID = {"meta", "link", "br", "img", "hr", "input", "param"}

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = Element("root", {})
        self.stack = [self.root]

    def handle_starttag(self, tag, attrs):
        element = Element(tag, attrs)
        self.stack[-1].children.append(element)
        if tag not in self.VOID:
            self.stack.append(element)

    def handle_endtag(self, tag):
        for i in range(len(self.stack) - 1, 0, -1):
            if self.stack[i].tag == tag:
                del self.stack[i:]
                return

    def handle_data(self, data):
        self.stack[-1].children.append(data)


def parse(path):
    parser = PageParser()
    parser.feed(path.read_text(encoding="utf-8"))
    return parser.root


def squeeze(text):
    return " ".join(text.split())


def topic_names():
    """The topic names the programs ask the viewer for, read from their source."""
    names = set()
    for source in HELP.glob("help_*.cpp"):
        names.update(re.findall(r'"(P_\w+)"', source.read_text()))
    return sorted(names)


def c_rows(source):
    """(name, [strings]) of each {Msg::Name, "...", "..."} row of a C++ table;
    neighbouring literals join as in C++."""
    escapes = {"n": "\n", "r": "\r", "t": "\t"}
    rows = []
    for name, body in re.findall(r"\{Msg::(\w+),(.*?)\}", source, re.S):
        texts = [""]
        for literal, comma in re.findall(r'"((?:[^"\\]|\\.)*)"|(,)', body):
            if comma:
                texts.append("")
            else:
                texts[-1] += re.sub(r"\\(.)", lambda m: escapes.get(m.group(1), m.group(1)), literal)
        rows.append((name, texts))
    return rows


def message_fragments(text):
    """The parts of a message a page must show: format fields cut it apart, and
    a leading placeholder letter ("X is no digit") stands for any letter."""
    text = re.sub(r"^[A-Z] ", "", text)
    parts = re.split(r"%[-0-9.]*[a-zA-Z]", text)
    return [squeeze(p).strip(",: ") for p in parts if squeeze(p).strip(",: ")]


def check_pages():
    failures = []
    topics = topic_names()
    if "P_intro" not in topics or len(topics) < 10:
        failures.append(f"topic names not found in {HELP}/help_*.cpp: {topics}")
    rows = c_rows((ROOT / "engine" / "texts.cpp").read_text(encoding="utf-8"))
    if len(rows) < 40:
        failures.append(f"only {len(rows)} messages read from engine/texts.cpp")
    for index, (lang, _) in enumerate(LANGUAGES.items()):
        folder = HELP / lang
        pages = {p.name: parse(p) for p in folder.glob("*.html")}
        for topic in topics:
            if f"{topic}.html" not in pages:
                failures.append(f"{lang}: no page {topic}.html")
        # Links between pages, and the project's, contents' and index's entries.
        targets = []
        for name, root in pages.items():
            for element in root.walk():
                ref = element.attrs.get("href") or element.attrs.get("src")
                if ref and not re.match(r"[a-z]+:", ref):
                    targets.append((name, ref.split("#")[0]))
        for extra in list(folder.glob("*.hhc")) + list(folder.glob("*.hhk")):
            for ref in re.findall(r'name="Local" value="([^"]+)"', extra.read_text(encoding="utf-8")):
                targets.append((extra.name, ref))
        project = next(folder.glob("*.hhp"), None)
        listed = []
        if project is None:
            failures.append(f"{lang}: no project file")
        else:
            listed = project.read_text().split("[FILES]")[1].split()
            targets += [(project.name, f) for f in listed]
        for origin, ref in targets:
            if ref and not (folder / ref).exists() and not (HELP / ref).exists():
                failures.append(f"{lang}/{origin}: {ref} does not exist")
        for name in pages:
            if name not in listed:
                failures.append(f"{lang}: {name} is not in the project's file list")
        # Every message, in this language, inside an element of class "msg".
        shown = " ".join(squeeze(e.text()) for root in pages.values() for e in root.walk()
                         if "msg" in e.classes())
        for msg_name, texts in rows:
            for fragment in message_fragments(texts[index]):
                if fragment not in shown:
                    failures.append(f"{lang}: message {msg_name} not explained: {fragment!r}")
    return failures


def examples():
    for lang, options in LANGUAGES.items():
        for path in sorted((HELP / lang).glob("*.html")):
            for element in parse(path).walk():
                if "example" not in element.classes():
                    continue
                inner = list(element.walk())
                formulas = [e.text() for e in inner if e.tag == "kbd"]
                outputs = [e for e in inner if e.tag == "samp"]
                where = f"{lang}/{path.name}"
                if len(formulas) != 1 or len(outputs) != 1:
                    yield where, None, None, None, None
                    continue
                extra = shlex.split(element.attrs.get("data-qvx", ""))
                stream = "stderr" if "msg" in outputs[0].classes() else "stdout"
                yield where, options + extra, formulas[0], stream, outputs[0].text()


def check_examples(qvx):
    failures, count = [], 0
    for where, options, formula, stream, shown in examples():
        if options is None:
            failures.append(f"{where}: an example needs one <kbd> and one <samp>")
            continue
        count += 1
        run = subprocess.run(qvx + options + ["--", formula], capture_output=True, text=True,
                             encoding="utf-8", timeout=60)
        got = squeeze(getattr(run, stream))
        if got != squeeze(shown) or (run.returncode != 0) != (stream == "stderr"):
            failures.append(f"{where}: qvx {shlex.join(options + ['--', formula])} gives "
                            f"{got!r} (exit {run.returncode}), the page shows {squeeze(shown)!r}")
    if count < 50:
        failures.append(f"only {count} examples found")
    print(f"{count} examples checked")
    return failures


def check_chm(files):
    failures = []
    for chm in files:
        with tempfile.TemporaryDirectory() as out:
            run = subprocess.run(["7z", "x", "-y", f"-o{out}", chm], capture_output=True, text=True)
            if run.returncode != 0:
                failures.append(f"{chm}: 7z could not unpack it: {run.stderr.strip()}")
                continue
            inside = {p.name for p in Path(out).rglob("*")}
            for topic in topic_names():
                if f"{topic}.html" not in inside:
                    failures.append(f"{chm}: no {topic}.html inside")
            for wanted in ("style.css", "#SYSTEM", "#TOPICS"):
                if wanted not in inside:
                    failures.append(f"{chm}: no {wanted} inside")
    return failures


def main(argv):
    commands = {"pages": lambda a: check_pages(), "examples": check_examples,
                "chm": check_chm}
    if len(argv) < 2 or argv[1] not in commands:
        print(__doc__, file=sys.stderr)
        return 2
    failures = commands[argv[1]](argv[2:])
    for failure in failures:
        print(failure)
    print(f"{argv[1]}: {len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
