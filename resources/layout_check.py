#!/usr/bin/env python3
"""python3 resources/layout_check.py [RC]: checks the dialog templates of quorvex.rc.

Each window, both layouts: place (unless the code places it), size, font and
style; every control of the window's section of resource.h once, of its kind
(a push button unless listed) and with the styles the code relies on; no
default button (Enter must press nothing); all inside, none overlapping, group
boxes framing their controls; layouts at most MAX_SHIFT units apart. The main
window's history list, as the code sizes it when shown (entry plus "H" width,
its height plus 4 pixels: known to ALLOWANCE units), covers HISTORY_LIST_COVERS
of resource.h and touches no other control, also as the window widens."""
import os, re, sys
from collections import namedtuple

ALLOWANCE, SLACK, MAX_SHIFT, WIDENINGS = 3, 1, 2, [1, 2, 17, 60, 301]
COMBO_CLOSED = 13  # a drop-down list's closed height follows its font, not the template
COMBO_MIN_DROP = COMBO_CLOSED + 10 * 8  # room for about ten entries

# The controls that are no push buttons, by kind ("kind: NAME ...", IDC_ left
# off; items split by ", " or a line end); then what each group box frames,
# the styles the code relies on ("!" forbids one), fixed places (x y w h), and
# how a control moves and stretches when the window widens by e (x and width
# grow by 0, e/2 or e for 0, 1, 2).
MAIN = """
edit: ENTRY RESULT FIELD_V FIELD_W FIELD_X FIELD_Y FIELD_Z PRECISION, static: STATUS PRECISION_LABEL
list: HISTORY_LIST, updown: PRECISION_SPIN, combo: NOTATION, group: FORMAT_GROUP, check: AUTOCLIP CLIPVAR
frames: FORMAT_GROUP=NOTATION PRECISION PRECISION_SPIN PRECISION_LABEL
styles: ENTRY FIELD_V FIELD_W FIELD_X FIELD_Y=ES_AUTOHSCROLL !ES_READONLY, RESULT FIELD_Z=ES_READONLY ES_AUTOHSCROLL
PRECISION=ES_NUMBER, PRECISION_SPIN=UDS_WRAP UDS_SETBUDDYINT UDS_ALIGNRIGHT UDS_ARROWKEYS !UDS_AUTOBUDDY
NOTATION=CBS_DROPDOWNLIST WS_VSCROLL, STATUS=SS_LEFTNOWORDWRAP
HISTORY_LIST=LBS_SORT LBS_NOTIFY LBS_NOINTEGRALHEIGHT WS_VSCROLL WS_BORDER NOT_WS_VISIBLE
moves: SHOW_NAMED SHOW_FORMULAS=2 0, ENTRY=0 2, RESULT FIELD_V FIELD_W=0 1, FIELD_Z FIELD_X FIELD_Y=1 1
RESULT_TO_CLIPBOARD LETTER_Z LETTER_X LETTER_Y=1 0
"""
FUNCTIONS = """
group: TRIG_GROUP LOG_GROUP, check: DEGREE
frames: TRIG_GROUP=SIN COS TAN ASIN ACOS ATAN PI DEGREE, LOG_GROUP=LOG LN EUL
"""
PROGRAMMER = """
static: INTEGER_NOTES, group: WIDTH_GROUP SIGN_GROUP DIGIT_GROUP, radio: WIDTH_4 WIDTH_2 WIDTH_1 SIGNED UNSIGNED
frames: WIDTH_GROUP=WIDTH_4 WIDTH_2 WIDTH_1, SIGN_GROUP=SIGNED UNSIGNED
DIGIT_GROUP=HEX_A HEX_B HEX_C HEX_D HEX_E HEX_F PREFIX_HEX PREFIX_OCT PREFIX_BIN PREFIX_ASCII
"""
REGRESSION = """
edit: WANTED_VALUE, static: SOLVER_MESSAGE
places: WANTED_VALUE=20 4 72 12, SOLVER_MESSAGE=44 17 52 35, SOLVE_V=4 28 18 11, SOLVE_X=24 28 18 11
SOLVE_W=4 41 18 11, SOLVE_Y=24 41 18 11, RESULT_TO_WANTED=5 6 12 8
"""
GRAPH = """
edit: GRAPH_FROM GRAPH_TO, static: GRAPH_FROM_LABEL GRAPH_TO_LABEL GRAPH_STATUS, quorvexplot: GRAPH_PLOT
styles: GRAPH_FROM GRAPH_TO=ES_AUTOHSCROLL !ES_READONLY, GRAPH_STATUS=SS_NOPREFIX SS_LEFTNOWORDWRAP
"""
# Template stem: style (besides DIALOG's), controls, and the big and the small
# layout's place (None: the code places it), size and font size.
DIALOG = "DS_SETFONT WS_CAPTION WS_SYSMENU !WS_MAXIMIZEBOX"
WINDOWS = {
    "RECHNER": ("WS_THICKFRAME WS_MINIMIZEBOX !DS_MODALFRAME", MAIN, [(None, 207, 123, 10), (None, 204, 121, 8)]),
    "FUNKTIONS": ("!WS_THICKFRAME", FUNCTIONS, [((20, -87), 173, 57, 10), ((20, -91), 173, 57, 8)]),
    "HEX": ("!WS_THICKFRAME", PROGRAMMER, [((-103, -8), 97, 152, 10), ((-103, -11), 97, 152, 8)]),
    "REGRESS": ("!WS_THICKFRAME", REGRESSION, [((209, 13), 98, 55, 10), ((206, 15), 98, 55, 8)]),
    "GRAPH": ("WS_THICKFRAME", GRAPH, [((211, 90), 200, 130, 10), ((208, 92), 200, 130, 8)]),
}
# Check boxes and radio buttons must be the automatic ones: the code reads their state after a click.
KINDS = dict(PUSHBUTTON="button", DEFPUSHBUTTON="button", EDITTEXT="edit", LTEXT="static", GROUPBOX="group",
             AUTOCHECKBOX="check", AUTORADIOBUTTON="radio", COMBOBOX="combo", LISTBOX="list", msctls_updown32="updown")
LIST, ENTRY, SHOW_FORMULAS, PRECISION, SPIN = "IDC_HISTORY_LIST IDC_ENTRY IDC_SHOW_FORMULAS IDC_PRECISION IDC_PRECISION_SPIN".split()
Control = namedtuple("Control", "kind id box styles")


def table(text):
    out, what = {"kinds": {}, "frames": {}, "styles": {}, "places": {}, "moves": {}, "group of": {}}, None
    for item in re.split(r", |\n", text.strip()):
        what, item = item.split(": ", 1) if ": " in item else (what, item)
        names, _, value = item.partition("=")
        for name in names.split():
            out[what if what in out else "kinds"]["IDC_" + name] = value if what in out else what
    for group, members in out["frames"].items():
        out["group of"].update({"IDC_" + m: group for m in members.split()})
    return out


def number(expr, ids):
    expr = re.sub(r"[A-Za-z_]\w*", lambda m: str(ids[m[0]]), expr)
    assert re.fullmatch(r"[\d\s+-]+", expr), expr
    return eval(expr)


def split_args(text): return [a.strip() for a in re.split(r',(?=(?:[^"]*"[^"]*")*[^"]*$)', text)]
def styles_of(expr): return {s.strip() for s in re.sub(r"NOT\s+", "NOT_", expr).split("|") if s.strip()}
def obeys(styles, rule): return all(s[1:] not in styles if s[0] == "!" else s in styles for s in rule.split())
def overlap(a, b): return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]
def inside(a, b): return b[0] <= a[0] and b[1] <= a[1] and a[2] <= b[2] and a[3] <= b[3]
def rect(c): return (*c.box[:2], c.box[0] + c.box[2], c.box[1] + (min(c.box[3], COMBO_CLOSED) if c.kind == "combo" else c.box[3]))


def parse_control(line, ids):
    keyword, rest = line.split(None, 1)
    args = split_args(rest)
    if keyword == "CONTROL":
        _, name, kind, style, *box = args
        kind = kind.strip('"').lower()
    else:
        kind, args = keyword, args if keyword in ("EDITTEXT", "COMBOBOX", "LISTBOX") else args[1:]
        name, *box = args
        style = box[4] if len(box) > 4 else ""
    styles = styles_of(style) | ({"BS_DEFPUSHBUTTON"} if keyword == "DEFPUSHBUTTON" else set())
    return name, Control(KINDS.get(kind, kind), number(name, ids), tuple(number(b, ids) for b in box[:4]), styles)


def geometry(cs, width, height, t, covered, tag):
    out, names, group = [], sorted(set(cs) - {LIST}), t["group of"]
    for n in names:
        if not inside(rect(cs[n]), (0, 0, width, height)):
            out.append(f"{n} lies outside the window{tag}: {rect(cs[n])}")
        if n in group and not inside(rect(cs[n]), rect(cs[group[n]])):
            out.append(f"{n} is not inside its group box{tag}")
    out += [f"{a} and {b} overlap{tag}" for i, a in enumerate(names) for b in names[i + 1:]
            if overlap(rect(cs[a]), rect(cs[b])) and b != group.get(a) and a != group.get(b) and {a, b} != {PRECISION, SPIN}]
    if LIST in cs:
        x, y, _, h = cs[LIST].box
        right = x + cs[ENTRY].box[2] + cs[SHOW_FORMULAS].box[2]
        smallest = (x + SLACK, y + SLACK, right - ALLOWANCE - SLACK, y + h - SLACK)
        largest = (x - SLACK, y - SLACK, right + SLACK, y + h + ALLOWANCE + SLACK)
        if right - ALLOWANCE > width or y + h + ALLOWANCE > height:
            out.append(f"the shown list leaves the window{tag}")
        out += [f"{n} is not covered by the list{tag}" for n in names if n in covered and not inside(rect(cs[n]), smallest)]
        out += [f"{n} lies under the list{tag}" for n in names if n not in covered and overlap(rect(cs[n]), largest)]
    return out


def check(head, body, wanted, style, t, ids, covered):
    place, width, height, points = wanted
    x, y, *size = (number(a, ids) for a in split_args(head.split("\n")[0]))
    got = (place and (x, y), size, re.search(r"^FONT (.*)", head, re.M)[1])
    out = [] if got == (place, [width, height], f'{points}, "MS Sans Serif"') else [f"place, size, font {got}"]
    if not obeys(styles_of(re.search(r"^STYLE (.*)", head, re.M)[1]), DIALOG + " " + style):
        out.append("dialog style")
    cs = {}
    for line in filter(None, (line.split("//")[0].strip() for line in body.splitlines())):
        name, c = parse_control(line, ids)
        out += [f"{name}: id {c.id} twice"] if c.id in {d.id for d in cs.values()} else []
        cs[name] = c
    for n in set(cs) | t["names"]:
        kind = cs[n].kind if n in cs else None
        if n not in t["names"] or kind != t["kinds"].get(n, "button"):
            out.append(f"{n} is {kind}, wanted {n in t['names'] and t['kinds'].get(n, 'button')}")
        elif "BS_DEFPUSHBUTTON" in cs[n].styles or not obeys(cs[n].styles, t["styles"].get(n, "")):
            out.append(f"{n} styles {sorted(cs[n].styles)}")
        elif n in t["places"] and cs[n].box != tuple(map(int, t["places"][n].split())) or kind == "combo" and cs[n].box[3] < COMBO_MIN_DROP:
            out.append(f"{n} at {cs[n].box}")
    for extra in [] if out else [0] + (WIDENINGS if t["moves"] else []):
        grow = {n: [(0, extra // 2, extra)[int(f)] for f in m.split()] for n, m in t["moves"].items()}
        moved = {n: c._replace(box=(c.box[0] + grow[n][0], c.box[1], c.box[2] + grow[n][1], c.box[3])) if n in grow else c
                 for n, c in cs.items()}
        out += geometry(moved, width + extra, height, t, covered, f" (widened by {extra})" if extra else "")
    return out, cs


def main():
    rc = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "quorvex.rc")
    header = open(os.path.join(os.path.dirname(os.path.abspath(rc)), "resource.h"), encoding="latin-1").read()
    ids = {n: int(v) for n, v in re.findall(r"^\s*#define\s+(\w+)\s+(\d+)", header, re.M)}
    covered = set(re.findall(r"\w+", re.search(r"HISTORY_LIST_COVERS((?:.*\\\n)*.*)", header)[1]))
    # The header's sections, "// ... (RECHNER_WINDOW)" and the ids below it, say which window holds a control.
    sections = {m[1]: set(re.findall(r"^#define (IDC_\w+) \d", m[2], re.M))
                for m in re.finditer(r"\((\w+)_WINDOW\)[^\n]*\n(?://[^\n]*\n)*(.*?)(?=\n//|\Z)", header, re.S)}
    templates = {m[1]: m.groups()[1:] for m in re.finditer(r"^(\w+) DIALOG(?:EX)? (.*?)^BEGIN\n(.*?)^END",
                                                          open(rc, encoding="cp1252").read(), re.M | re.S)}
    problems = []
    for stem, (style, controls, layouts) in WINDOWS.items():
        t, both = dict(table(controls), names=sections.get(stem, set())), []
        for name, wanted in ((f"{p}_{stem}_WINDOW", w) for p, w in zip("BS", layouts)):
            out, cs = check(*templates[name], wanted, style, t, ids, covered) if name in templates else (["missing"], {})
            problems += [f"{name}: {p}" for p in out]
            both.append(cs)
        problems += [f"{stem}: {n} differs between the layouts by more than {MAX_SHIFT}" for n in set(both[0]) & set(both[1])
                     if max(abs(a - b) for a, b in zip(both[0][n].box, both[1][n].box)) > MAX_SHIFT]
    print("\n".join(problems) or f"{len(WINDOWS) * 2} dialog templates hold")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
