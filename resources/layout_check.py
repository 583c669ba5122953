#!/usr/bin/env python3
"""Checks the calculator's dialog templates in quorvex.rc.

Run it after every change to a template:

    python3 resources/layout_check.py [path/to/quorvex.rc]

It reads the templates as the resource compiler would (ids from resource.h)
and checks, for the big and the small layout:

- every control of the main window is there, once, with its kind, caption
  and the styles the code relies on; both layouts have the same controls and
  differ by at most two dialog units in any coordinate;
- every control lies inside the client area, and no two controls overlap,
  apart from the group box around the format controls, the up-down control
  inside the precision field and the hidden history list;
- the history list, sized as the code sizes it when "F" or "H" shows it
  (entry field width plus "H" width, its own height plus 4 pixels), covers
  exactly the controls the code hides under it and touches no other one;
- the same still holds after the window has been widened, with the controls
  moved and stretched the way the window's sizing code does it;
- the windows beside it (functions, programmer, regression), in both
  layouts: their place, size, font and caption, every control with its kind
  and caption, all inside the window, none overlapping another, and each
  group box framing exactly its controls.

All of this is worked out in dialog units. The list's size is measured from
client areas in pixels, so its real rectangle is not known exactly; the
checker uses the smallest rectangle it can have for the coverage and the
largest for the overlaps (ALLOWANCE), with SLACK units to spare on each side.

Exit status 0 when all holds, 1 otherwise.
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# The templates: name -> (width, height, font size).
TEMPLATES = {
    "B_RECHNER_WINDOW": (207, 123, 10),
    "S_RECHNER_WINDOW": (204, 121, 8),
}
DIALOG_STYLE = {"WS_CAPTION", "WS_SYSMENU", "WS_THICKFRAME", "WS_MINIMIZEBOX", "DS_SETFONT"}
DIALOG_FORBIDDEN = {"WS_MAXIMIZEBOX", "DS_MODALFRAME"}

# Kind and caption of every control of the main window. Kinds: button,
# edit, static, check, group, combo, list, updown.
CONTROLS = {
    "IDC_HISTORY_LIST": ("list", ""), "IDC_ENTRY": ("edit", ""), "IDC_RESULT": ("edit", ""), "IDC_STATUS": ("static", ""),
    "IDC_FIELD_V": ("edit", ""), "IDC_FIELD_W": ("edit", ""), "IDC_FIELD_X": ("edit", ""), "IDC_FIELD_Y": ("edit", ""),
    "IDC_FIELD_Z": ("edit", ""), "IDC_PRECISION": ("edit", ""), "IDC_PRECISION_SPIN": ("updown", ""), "IDC_NOTATION": ("combo", ""),
    "IDC_AUTOCLIP": ("check", "autoclip"), "IDC_CLIPVAR": ("check", "clipvar"),
    "IDC_FORMAT_GROUP": ("group", "output format"), "IDC_PRECISION_LABEL": ("static", "precision"),
    "IDC_DIGIT_0": ("button", "0"), "IDC_DIGIT_1": ("button", "1"), "IDC_DIGIT_2": ("button", "2"), "IDC_DIGIT_3": ("button", "3"),
    "IDC_DIGIT_4": ("button", "4"), "IDC_DIGIT_5": ("button", "5"), "IDC_DIGIT_6": ("button", "6"), "IDC_DIGIT_7": ("button", "7"),
    "IDC_DIGIT_8": ("button", "8"), "IDC_DIGIT_9": ("button", "9"),
    "IDC_PLUS": ("button", "+"), "IDC_MINUS": ("button", "-"), "IDC_TIMES": ("button", "\xd7"), "IDC_DIVIDE": ("button", "\xf7"),
    "IDC_POWER": ("button", "pwr"), "IDC_DEGREE_MINUTE": ("button", "min"), "IDC_OPEN_BRACKET": ("button", "("), "IDC_CLOSE_BRACKET": ("button", ")"),
    "IDC_POINT": ("button", "."), "IDC_EXPONENT": ("button", "EXP"), "IDC_PERCENT": ("button", "%"), "IDC_COMMENT": ("button", "com"),
    "IDC_RECIPROCAL": ("button", "1/"),
    "IDC_LETTER_X": ("button", "X"), "IDC_LETTER_Y": ("button", "Y"), "IDC_LETTER_Z": ("button", "Z"), "IDC_LETTER_V": ("button", "V"),
    "IDC_LETTER_W": ("button", "W"),
    "IDC_RESULT_TO_X": ("button", "X<"), "IDC_RESULT_TO_Y": ("button", "Y<"), "IDC_ENTRY_TO_CLIPBOARD": ("button", "Z<"), "IDC_RESULT_TO_CLIPBOARD": ("button", ">Z"),
    "IDC_PASTE_CLIPBOARD": ("button", "Z>"), "IDC_EQUATION_TO_CLIPBOARD": ("button", "= >Z"),
    "IDC_BACKSPACE": ("button", "< del"), "IDC_CARET_LEFT": ("button", "<"), "IDC_CARET_RIGHT": ("button", ">"), "IDC_DELETE_RIGHT": ("button", "del >"),
    "IDC_CARET_HOME": ("button", "<<"), "IDC_CARET_END": ("button", ">>"),
    "IDC_UNDO": ("button", "undo"), "IDC_ALL_CLEAR": ("button", "AC"), "IDC_TAKE_RESULT": ("button", "v"), "IDC_SHOW_NAMED": ("button", "F"),
    "IDC_SHOW_FORMULAS": ("button", "H"), "IDC_OPEN_FUNCTIONS": ("button", "fct"), "IDC_OPEN_PROGRAMMER": ("button", "prg"), "IDC_OPEN_REGRESSION": ("button", "reg"),
    "IDC_HELP_MODE": ("button", "help"),
}

# Styles the code relies on: id -> (required, forbidden).
STYLES = {
    "IDC_ENTRY": ({"ES_AUTOHSCROLL"}, {"ES_READONLY"}),
    "IDC_FIELD_V": ({"ES_AUTOHSCROLL"}, {"ES_READONLY"}),
    "IDC_FIELD_W": ({"ES_AUTOHSCROLL"}, {"ES_READONLY"}),
    "IDC_FIELD_X": ({"ES_AUTOHSCROLL"}, {"ES_READONLY"}),
    "IDC_FIELD_Y": ({"ES_AUTOHSCROLL"}, {"ES_READONLY"}),
    "IDC_RESULT": ({"ES_READONLY", "ES_AUTOHSCROLL"}, set()),
    "IDC_FIELD_Z": ({"ES_READONLY", "ES_AUTOHSCROLL"}, set()),
    "IDC_PRECISION": ({"ES_NUMBER"}, set()),
    "IDC_PRECISION_SPIN": ({"UDS_WRAP", "UDS_SETBUDDYINT", "UDS_ALIGNRIGHT", "UDS_ARROWKEYS"}, {"UDS_AUTOBUDDY"}),
    "IDC_NOTATION": ({"CBS_DROPDOWNLIST", "WS_VSCROLL"}, set()),
    "IDC_HISTORY_LIST": ({"LBS_SORT", "LBS_NOTIFY", "LBS_NOINTEGRALHEIGHT", "WS_VSCROLL", "WS_BORDER",
           "NOT WS_VISIBLE"}, set()),
    "IDC_STATUS": ({"SS_LEFTNOWORDWRAP"}, set()),
}

# What the history list hides while it is shown: the header's list, which
# the code hides too (HISTORY_LIST_COVERS).
COVERED = []
LIST, ENTRY, SHOW_FORMULAS, GROUP, PRECISION, SPIN = ("IDC_HISTORY_LIST", "IDC_ENTRY", "IDC_SHOW_FORMULAS",
                                                   "IDC_FORMAT_GROUP", "IDC_PRECISION", "IDC_PRECISION_SPIN")
NOTATION = "IDC_NOTATION"
GROUPED = {"IDC_NOTATION", "IDC_PRECISION", "IDC_PRECISION_SPIN", "IDC_PRECISION_LABEL"}

# The list's width is the entry field's client width plus the "H" width: up
# to 4 pixels (about 3 units) less than the template widths; its height is
# its client height plus 4 pixels: up to 4 pixels (about 3 units) more.
ALLOWANCE = 3
SLACK = 1
# A drop-down list's closed height follows its font, not the template.
COMBO_CLOSED = 13
# Enough drop height for about ten entries of the dialog font.
COMBO_MIN_DROP = COMBO_CLOSED + 10 * 8
MAX_SHIFT = 2

# Widening: id -> (dx, dw) as multiples of (extra, half).
WIDENING = {
    "IDC_SHOW_NAMED": ("extra", None), "IDC_SHOW_FORMULAS": ("extra", None), "IDC_ENTRY": (None, "extra"), "IDC_RESULT": (None, "half"),
    "IDC_FIELD_Z": ("half", "half"), "IDC_RESULT_TO_CLIPBOARD": ("half", None), "IDC_LETTER_Z": ("half", None),
    "IDC_FIELD_V": (None, "half"), "IDC_FIELD_W": (None, "half"), "IDC_FIELD_X": ("half", "half"), "IDC_FIELD_Y": ("half", "half"),
    "IDC_LETTER_X": ("half", None), "IDC_LETTER_Y": ("half", None),
}
WIDENINGS = [1, 2, 17, 60, 301]

KEYWORDS = {
    "PUSHBUTTON": "button", "DEFPUSHBUTTON": "button", "EDITTEXT": "edit", "LTEXT": "static",
    "RTEXT": "static", "CTEXT": "static", "AUTOCHECKBOX": "check", "CHECKBOX": "check",
    "GROUPBOX": "group", "COMBOBOX": "combo", "LISTBOX": "list", "CONTROL": None,
    "AUTORADIOBUTTON": "radio", "RADIOBUTTON": "radio",
}
CLASSES = {"button": "button", "edit": "edit", "static": "static", "combobox": "combo",
           "listbox": "list", "msctls_updown32": "updown"}


class Control:
    def __init__(self, kind, caption, cid, x, y, w, h, styles, line):
        self.kind, self.caption, self.id = kind, caption, cid
        self.x, self.y, self.w, self.h = x, y, w, h
        self.styles, self.line = styles, line

    def rect(self):
        h = min(self.h, COMBO_CLOSED) if self.kind == "combo" else self.h
        return (self.x, self.y, self.x + self.w, self.y + h)


def read_ids(path):
    """The header's ids by name, and its list of the controls the history list covers."""
    ids, covered = {}, []
    text = open(path, encoding="latin-1").read()
    for m in re.finditer(r"^\s*#define\s+(\w+)\s+(\d+)", text, re.M):
        ids[m.group(1)] = int(m.group(2))
    m = re.search(r"#define\s+HISTORY_LIST_COVERS((?:.*\\\n)*.*)", text)
    if m:
        covered = [name.strip() for name in m.group(1).replace("\\\n", " ").split(",") if name.strip()]
    return ids, covered


def resolve(ids, covered):
    """The main window's tables by id instead of by name."""
    global CONTROLS, STYLES, COVERED, WIDENING, GROUPED, LIST, ENTRY, SHOW_FORMULAS, GROUP, PRECISION, SPIN
    global NOTATION
    CONTROLS = {ids[n]: v for n, v in CONTROLS.items()}
    STYLES = {ids[n]: v for n, v in STYLES.items()}
    WIDENING = {ids[n]: v for n, v in WIDENING.items()}
    GROUPED = {ids[n] for n in GROUPED}
    COVERED = [ids[n] for n in covered]
    LIST, ENTRY, SHOW_FORMULAS, GROUP, PRECISION, SPIN, NOTATION = (
        ids[n] for n in (LIST, ENTRY, SHOW_FORMULAS, GROUP, PRECISION, SPIN, NOTATION))


def split_args(text):
    """Splits at commas outside quotes."""
    args, cur, quoted = [], "", False
    for ch in text:
        if ch == '"':
            quoted = not quoted
        if ch == "," and not quoted:
            args.append(cur.strip())
            cur = ""
        else:
            cur += ch
    args.append(cur.strip())
    return args


def unquote(text):
    if not (text.startswith('"') and text.endswith('"')):
        raise ValueError("not a string: " + text)
    body = text[1:-1]
    # Octal escapes and doubled quotes, as the resource compiler reads them.
    body = re.sub(r"\\([0-7]{1,3})", lambda m: chr(int(m.group(1), 8)), body)
    return body.replace('""', '"')


def value(expr, ids):
    """A sum or difference of numbers and names ("IDC_DIGIT_0 + 7", "0 - 103")."""
    total, sign = 0, 1
    for token in re.findall(r"[+-]|[^\s+-]+", expr):
        if token in "+-":
            sign = -1 if token == "-" else 1
        else:
            total += sign * (ids[token] if token in ids else int(token, 0))
    return total


def style_set(expr):
    styles = set()
    for part in expr.split("|"):
        part = " ".join(part.split())
        if part:
            styles.add(part)
    return styles


def parse_control(line, ids, number):
    keyword, rest = line.split(None, 1)
    args = split_args(rest)
    kind = KEYWORDS[keyword]
    caption = ""
    if keyword == "CONTROL":
        caption = unquote(args[0])
        cid = value(args[1], ids)
        kind = CLASSES[unquote(args[2]).lower()]
        styles = style_set(args[3])
        x, y, w, h = (value(a, ids) for a in args[4:8])
    else:
        if kind not in ("edit", "combo", "list"):
            caption, args = unquote(args[0]), args[1:]
        cid = value(args[0], ids)
        x, y, w, h = (value(a, ids) for a in args[1:5])
        styles = style_set(args[5]) if len(args) > 5 else set()
    if keyword == "DEFPUSHBUTTON" or "BS_DEFPUSHBUTTON" in styles:
        styles.add("BS_DEFPUSHBUTTON")
    return Control(kind, caption, cid, x, y, w, h, styles, number)


def read_templates(path, ids):
    lines = open(path, encoding="cp1252").read().splitlines()
    found, i = {}, 0
    while i < len(lines):
        m = re.match(r"\s*(\w+)\s+DIALOG(?:EX)?\s+(.*)", lines[i])
        if not m or m.group(1) not in TEMPLATES and m.group(1) not in SATELLITES:
            i += 1
            continue
        name = m.group(1)
        size = [value(a, ids) for a in split_args(m.group(2))]
        header = {"size": tuple(size[2:4]), "place": tuple(size[0:2]), "style": set(), "font": None,
                  "caption": None}
        controls = []
        i += 1
        while lines[i].strip() != "BEGIN":
            head = lines[i].strip()
            if head.startswith("STYLE"):
                header["style"] = style_set(head[5:])
            elif head.startswith("FONT"):
                font = split_args(head[4:])
                header["font"] = (int(font[0]), unquote(font[1]))
            elif head.startswith("CAPTION"):
                header["caption"] = unquote(head[7:].strip())
            i += 1
        i += 1
        while lines[i].strip() != "END":
            text = lines[i].split("//")[0].strip()
            if text:
                controls.append(parse_control(text, ids, i + 1))
            i += 1
        found[name] = (header, controls)
    return found


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def inside(a, b):
    return a[0] >= b[0] and a[1] >= b[1] and a[2] <= b[2] and a[3] <= b[3]


def widened(controls, extra):
    """The controls after widening the window by extra units."""
    half = extra // 2
    amount = {"extra": extra, "half": half, None: 0}
    out = {}
    for c in controls.values():
        dx, dw = WIDENING.get(c.id, (None, None))
        out[c.id] = Control(c.kind, c.caption, c.id, c.x + amount[dx], c.y, c.w + amount[dw], c.h,
                            c.styles, c.line)
    return out


def check_geometry(controls, width, height, extra, problems, report):
    """Client area, overlaps and the list's coverage; extra is the widening."""
    tag = "" if extra == 0 else " (widened by %d)" % extra
    for c in controls.values():
        r = c.rect()
        if c.id != LIST and not inside(r, (0, 0, width, height)):
            problems.append("%d lies outside the client area%s: %s" % (c.id, tag, r))
    ids = sorted(controls)
    for n, a in enumerate(ids):
        for b in ids[n + 1:]:
            pair = {a, b}
            if LIST in pair or pair == {PRECISION, SPIN}:
                continue
            if GROUP in pair and pair - {GROUP} <= GROUPED:
                continue
            if overlap(controls[a].rect(), controls[b].rect()):
                problems.append("%d and %d overlap%s" % (a, b, tag))
    for cid in GROUPED:
        if not inside(controls[cid].rect(), controls[GROUP].rect()):
            problems.append("%d is not inside the group box %d%s" % (cid, GROUP, tag))

    lst = controls[LIST]
    right = lst.x + controls[ENTRY].w + controls[SHOW_FORMULAS].w
    smallest = (lst.x + SLACK, lst.y + SLACK, right - ALLOWANCE - SLACK, lst.y + lst.h - SLACK)
    largest = (lst.x - SLACK, lst.y - SLACK, right + SLACK, lst.y + lst.h + ALLOWANCE + SLACK)
    if right - ALLOWANCE > width or lst.y + lst.h + ALLOWANCE > height:
        problems.append("the shown list leaves the client area%s" % tag)
    for c in controls.values():
        if c.id == LIST:
            continue
        if c.id in COVERED:
            if not inside(c.rect(), smallest):
                problems.append("%d is not covered by the list%s: %s, list %s"
                                % (c.id, tag, c.rect(), smallest))
        elif overlap(c.rect(), largest):
            problems.append("%d lies under the list%s: %s, list %s" % (c.id, tag, c.rect(), largest))
    if extra == 0:
        report.append("  shown list: within x %d..%d, y %d..%d; covers at least x %d..%d, y %d..%d"
                      % (largest[0], largest[2], largest[1], largest[3],
                         smallest[0], smallest[2], smallest[1], smallest[3]))


def check_controls(controls, wanted, problems):
    """Every wanted control there once, with its kind and caption, and no
    other control; no default button. Returns the controls by id."""
    by_id = {}
    for c in controls:
        if c.id in by_id:
            problems.append("id %d twice (lines %d and %d)" % (c.id, by_id[c.id].line, c.line))
        by_id[c.id] = c
        if "BS_DEFPUSHBUTTON" in c.styles:
            problems.append("control %d is a default button" % c.id)
    for cid, (kind, caption) in wanted.items():
        c = by_id.get(cid)
        if c is None:
            problems.append("control %d is missing" % cid)
        elif (c.kind, c.caption) != (kind, caption):
            problems.append("control %d is %s %r, wanted %s %r" % (cid, c.kind, c.caption, kind, caption))
    for cid in set(by_id) - set(wanted):
        problems.append("control %d does not belong in this window" % cid)
    return by_id


def check_template(name, header, controls, problems, report):
    width, height, points = TEMPLATES[name]
    if header["size"] != (width, height):
        problems.append("size %s, wanted %s" % (header["size"], (width, height)))
    if header["font"] != (points, "MS Sans Serif"):
        problems.append("font %s, wanted %d \"MS Sans Serif\"" % (header["font"], points))
    if header["caption"] != "Quorvex":
        problems.append("caption %r" % header["caption"])
    if not DIALOG_STYLE <= header["style"] or DIALOG_FORBIDDEN & header["style"]:
        problems.append("dialog style %s" % sorted(header["style"]))

    by_id = check_controls(controls, CONTROLS, problems)
    for cid, (required, forbidden) in STYLES.items():
        if cid in by_id:
            styles = by_id[cid].styles
            if not required <= styles or forbidden & styles:
                problems.append("control %d styles %s" % (cid, sorted(styles)))
    if NOTATION in by_id and by_id[NOTATION].h < COMBO_MIN_DROP:
        problems.append("the notation list drops down only %d units" % by_id[NOTATION].h)
    if set(CONTROLS) - set(by_id):
        return by_id

    check_geometry(by_id, width, height, 0, problems, report)
    for extra in WIDENINGS:
        check_geometry(widened(by_id, extra), width + extra, height, extra, problems, report)
    return by_id


# The windows beside the main window: template -> (place, size, font size).
SATELLITES = {
    "B_FUNKTIONS_WINDOW": ((20, -87), (173, 57), 10),
    "S_FUNKTIONS_WINDOW": ((20, -91), (173, 57), 8),
    "B_HEX_WINDOW": ((-103, -8), (97, 152), 10),
    "S_HEX_WINDOW": ((-103, -11), (97, 152), 8),
    "B_REGRESS_WINDOW": ((209, 13), (98, 55), 10),
    "S_REGRESS_WINDOW": ((206, 15), (98, 55), 8),
}
SATELLITE_STYLE = {"WS_CAPTION", "WS_SYSMENU", "DS_SETFONT"}
SATELLITE_FORBIDDEN = {"WS_MAXIMIZEBOX", "WS_THICKFRAME"}
SATELLITE_CAPTIONS = {"FUNKTIONS": "scientific functions", "HEX": "Programmers window",
                      "REGRESS": "Regression"}

# Controls by window: id name -> (kind, caption); the ids come from resource.h.
SATELLITE_CONTROLS = {
    "FUNKTIONS": {
        "IDC_TRIG_GROUP": ("group", "trigonometric fct."),
        "IDC_LOG_GROUP": ("group", "logarithmic functions"),
        "IDC_SIN": ("button", "sin"), "IDC_COS": ("button", "cos"), "IDC_TAN": ("button", "tan"),
        "IDC_ASIN": ("button", "asin"), "IDC_ACOS": ("button", "acos"),
        "IDC_ATAN": ("button", "atan"), "IDC_LOG": ("button", "log"), "IDC_LN": ("button", "ln"),
        "IDC_ABS": ("button", "abs"), "IDC_INT": ("button", "int"), "IDC_FRAC": ("button", "frac"),
        "IDC_SQR": ("button", "sqr"), "IDC_SQRT": ("button", "sqrt"), "IDC_FAC": ("button", "fac"),
        "IDC_PI": ("button", "Pi"), "IDC_EUL": ("button", "Eul"), "IDC_DEGREE": ("check", "degree"),
    },
    "HEX": {
        "IDC_INTEGER_NOTES": ("static", ""),
        "IDC_WIDTH_GROUP": ("group", ""), "IDC_SIGN_GROUP": ("group", ""),
        "IDC_DIGIT_GROUP": ("group", ""),
        "IDC_WIDTH_4": ("radio", "4 (long)"), "IDC_WIDTH_2": ("radio", "2 (short)"),
        "IDC_WIDTH_1": ("radio", "1 (char)"), "IDC_SIGNED": ("radio", "signed"),
        "IDC_UNSIGNED": ("radio", "unsigned"),
        "IDC_HEX_A": ("button", "A"), "IDC_HEX_B": ("button", "B"), "IDC_HEX_C": ("button", "C"),
        "IDC_HEX_D": ("button", "D"), "IDC_HEX_E": ("button", "E"), "IDC_HEX_F": ("button", "F"),
        "IDC_PREFIX_HEX": ("button", "hex"), "IDC_PREFIX_OCT": ("button", "oct"),
        "IDC_PREFIX_BIN": ("button", "bin"), "IDC_PREFIX_ASCII": ("button", "Ascii"),
        "IDC_AND": ("button", "and"), "IDC_OR": ("button", "or"), "IDC_XOR": ("button", "xor"),
        "IDC_SHL": ("button", "shl"), "IDC_SHR": ("button", "shr"), "IDC_MOD": ("button", "mod"),
        "IDC_NOT": ("button", "not"),
    },
    "REGRESS": {
        "IDC_WANTED_VALUE": ("edit", ""), "IDC_SOLVER_MESSAGE": ("static", ""),
        "IDC_SOLVE_V": ("button", "V ?"), "IDC_SOLVE_X": ("button", "X ?"),
        "IDC_SOLVE_W": ("button", "W ?"), "IDC_SOLVE_Y": ("button", "Y ?"),
        "IDC_RESULT_TO_WANTED": ("button", "="),
    },
}
# What each group box frames.
FRAMES = {
    "IDC_TRIG_GROUP": ["IDC_SIN", "IDC_COS", "IDC_TAN", "IDC_ASIN", "IDC_ACOS", "IDC_ATAN",
                       "IDC_PI", "IDC_DEGREE"],
    "IDC_LOG_GROUP": ["IDC_LOG", "IDC_LN", "IDC_EUL"],
    "IDC_WIDTH_GROUP": ["IDC_WIDTH_4", "IDC_WIDTH_2", "IDC_WIDTH_1"],
    "IDC_SIGN_GROUP": ["IDC_SIGNED", "IDC_UNSIGNED"],
    "IDC_DIGIT_GROUP": ["IDC_HEX_A", "IDC_HEX_B", "IDC_HEX_C", "IDC_HEX_D", "IDC_HEX_E",
                        "IDC_HEX_F", "IDC_PREFIX_HEX", "IDC_PREFIX_OCT", "IDC_PREFIX_BIN",
                        "IDC_PREFIX_ASCII"],
}
# The regression window's controls stand where its users expect them.
PLACES = {
    "IDC_WANTED_VALUE": (20, 4, 72, 12), "IDC_SOLVER_MESSAGE": (44, 17, 52, 35),
    "IDC_SOLVE_V": (4, 28, 18, 11), "IDC_SOLVE_X": (24, 28, 18, 11),
    "IDC_SOLVE_W": (4, 41, 18, 11), "IDC_SOLVE_Y": (24, 41, 18, 11),
    "IDC_RESULT_TO_WANTED": (5, 6, 12, 8),
}


def check_satellite(name, header, controls, ids, problems):
    place, size, points = SATELLITES[name]
    window = name[2:-len("_WINDOW")]
    if header["place"] != place or header["size"] != size:
        problems.append("place %s size %s, wanted %s %s" % (header["place"], header["size"], place, size))
    if header["font"] != (points, "MS Sans Serif"):
        problems.append("font %s, wanted %d \"MS Sans Serif\"" % (header["font"], points))
    if header["caption"] != SATELLITE_CAPTIONS[window]:
        problems.append("caption %r" % header["caption"])
    if not SATELLITE_STYLE <= header["style"] or SATELLITE_FORBIDDEN & header["style"]:
        problems.append("dialog style %s" % sorted(header["style"]))
    wanted = {ids[n]: kind_caption for n, kind_caption in SATELLITE_CONTROLS[window].items()}
    by_id = check_controls(controls, wanted, problems)
    for c in controls:
        if not inside(c.rect(), (0, 0) + size):
            problems.append("%d lies outside the window: %s" % (c.id, c.rect()))
    for n, a in enumerate(controls):
        for b in controls[n + 1:]:
            if "group" in (a.kind, b.kind) or not overlap(a.rect(), b.rect()):
                continue
            problems.append("%d and %d overlap" % (a.id, b.id))
    for group in (c for c in controls if c.kind == "group"):
        framed = {ids[n] for n in FRAMES[next(k for k, v in ids.items() if v == group.id and k in FRAMES)]}
        for c in controls:
            if c.kind == "group":
                continue
            within = inside(c.rect(), group.rect())
            if c.id in framed and not within:
                problems.append("%d is not inside the group box %d" % (c.id, group.id))
            elif c.id not in framed and overlap(c.rect(), group.rect()):
                problems.append("%d lies on the group box %d" % (c.id, group.id))
    if window == "REGRESS":
        for n, rect in PLACES.items():
            c = by_id.get(ids[n])
            if c and (c.x, c.y, c.w, c.h) != rect:
                problems.append("%s at %s, wanted %s" % (n, (c.x, c.y, c.w, c.h), rect))
    return by_id


def main():
    rc = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "quorvex.rc")
    ids, covered = read_ids(os.path.join(os.path.dirname(os.path.abspath(rc)), "resource.h"))
    resolve(ids, covered)
    templates = read_templates(rc, ids)
    failed = False
    for name in SATELLITES:
        problems = []
        if name not in templates:
            problems.append("template missing")
        else:
            header, controls = templates[name]
            check_satellite(name, header, controls, ids, problems)
        print("%s: %s" % (name, "OK" if not problems else "%d problem(s)" % len(problems)))
        for p in problems:
            print("  " + p)
        failed |= bool(problems)
    layouts = {}
    for name in TEMPLATES:
        problems, report = [], []
        if name not in templates:
            problems.append("template missing")
        else:
            header, controls = templates[name]
            layouts[name] = check_template(name, header, controls, problems, report)
        print("%s: %d controls, %s" % (name, len(layouts.get(name, {})),
                                        "OK" if not problems else "%d problem(s)" % len(problems)))
        for line in report:
            print(line)
        for p in problems:
            print("  " + p)
        failed |= bool(problems)

    if len(layouts) == 2:
        big, small = (layouts[n] for n in TEMPLATES)
        problems = []
        for cid in sorted(set(big) & set(small)):
            a, b = big[cid], small[cid]
            if (a.kind, a.caption) != (b.kind, b.caption):
                problems.append("%d differs in kind or caption" % cid)
            shift = max(abs(a.x - b.x), abs(a.y - b.y), abs(a.w - b.w), abs(a.h - b.h))
            if shift > MAX_SHIFT:
                problems.append("%d differs by %d units between the layouts" % (cid, shift))
        print("big and small layout: %s" % ("same controls" if not problems else "differ"))
        for p in problems:
            print("  " + p)
        failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
