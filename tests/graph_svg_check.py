#!/usr/bin/env python3
"""graph_svg_check.py QVX_COMMAND...: qvx --graph writes SVG that any XML reader takes: a title with
the formula, tick labels on both axes, and the curve as polylines (circles for lone points) with one
point per sample that has a value, broken where there is none."""
import subprocess, sys, tempfile, xml.etree.ElementTree as ET
from pathlib import Path

SVG = "{http://www.w3.org/2000/svg}"
# formula, range, more options, samples with a value, strokes (runs between gaps and jumps), the
# axes (X = 0 and value = 0) in view, lines on standard output
CASES = [
    ("X^2", "X=-3:3", [], 500, 1, 2, 0),
    ("1/X", "X=-249:250", [], 499, 2, 2, 0),     # 0 is a sample: a gap at the pole
    ("1/X", "X=-10:10", ["--csv"], 500, 2, 2, 12),  # 0 is no sample: the jump breaks the curve; the rows too
    ("ln(X)", "X=-1:1", [], 250, 1, 2, 0),       # no value at and left of 0
    ("-X^2", "X=1:2", ["--json"], 500, 1, 0, 11),  # values up to -1: neither axis in view
    ("X^2/10", "X=-1:1", [], 500, 1, 2, 0),      # values 0 to 0.1: the X axis at the bottom
    ("sqrt(X)", "X=-2:-1", [], 0, 0, 1, 0),      # no value anywhere: the scales alone, exit 1
]

failures = []
with tempfile.TemporaryDirectory() as folder:
    for number, (formula, over, options, points, strokes, axes, lines) in enumerate(CASES):
        path = Path(folder) / f"graph{number}.svg"  # each its own: a file left by another never passes
        run = subprocess.run(sys.argv[1:] + options + ["--over", over, "--graph", str(path), "--", formula], capture_output=True)
        name = f"{formula} over {over}"
        if run.returncode != (0 if points else 1) or len(run.stdout.splitlines()) != lines:
            failures.append(f"{name}: exit {run.returncode}, stdout {run.stdout[:80]!r}")
        try:
            root = ET.parse(path).getroot()
        except (OSError, ET.ParseError) as error:
            failures.append(f"{name}: {error}")
            continue
        texts = [t.text for t in root.iter(SVG + "text")]
        drawn = [len(p.get("points").split()) for p in root.iter(SVG + "polyline")] + \
                [1 for _ in root.iter(SVG + "circle")]
        labels = [g for g in root.iter(SVG + "g") if g.get("class") == "labels"]
        if texts[:1] != [formula]:
            failures.append(f"{name}: title {texts[:1]}")
        if not labels or len(labels[0]) < 7:
            failures.append(f"{name}: tick labels {[t.text for t in labels[0]] if labels else None}")
        axis = [[float(a.get(k)) for k in ("x1", "y1", "x2", "y2")] for a in root.iter(SVG + "line") if a.get("class") == "axis"]
        if len(axis) != axes or any(x1 != x2 and y1 != y2 for x1, y1, x2, y2 in axis):
            failures.append(f"{name}: axes {axis}")
        if (sum(drawn), len(drawn)) != (points, strokes):
            failures.append(f"{name}: {sum(drawn)} points in {len(drawn)} strokes, want {points} in {strokes}")
print("\n".join(failures + [f"{len(CASES)} graphs, {len(failures)} failure(s)"]))
sys.exit(1 if failures else 0)
