#!/usr/bin/env python3
"""Checks that the source tree keeps its layers.

  core  (src/core)  includes only core, and no Qt Widgets or Print Support header;
  kit   (src/ui/kit) includes core, the kit and Qt, never a window;
  ui    (src/ui/<area>) may include any window but a persistent one;
  app   (src/app) is the only place that includes a persistent window's header.

Also: no relative path names a file in both core and ui (an include would be
ambiguous), no two files include each other directly or around a loop, and
no line writes or reads another window's control (`x.txtName`, `x->lblName`).

Prints every breach with its file and line; exits 1 when there is one.
"""
import os
import re
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
SRC = os.path.join(ROOT, "src")
CORE = os.path.join(SRC, "core")
UI = os.path.join(SRC, "ui")
APP = os.path.join(SRC, "app")
QT_INCLUDE = "/usr/include/x86_64-linux-gnu/qt6"

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# A control of another object: a name with a control prefix after `.` or `->`
# on anything but `this`.
CONTROL = re.compile(
    r"\b(?!this\b)([A-Za-z_]\w*)\s*(?:\.|->)\s*"
    r"((?:txt|lbl|cmd|btn|img|lst|chk|cbo|lnk|shp|pan|grd|opt|fra)[A-Z]\w*)\b")

problems = []


def breach(path, line, text):
    problems.append(f"{os.path.relpath(path, ROOT)}:{line}: {text}")


def sources(folder):
    for base, _, files in os.walk(folder):
        for f in sorted(files):
            if f.endswith((".h", ".cpp")):
                yield os.path.join(base, f)


def includes(path):
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if m:
                yield n, m.group(1), m.group(2)


def qt_headers(module):
    folder = os.path.join(QT_INCLUDE, module)
    names = {module}
    if os.path.isdir(folder):
        names.update(f for f in os.listdir(folder) if not f.endswith((".h", "_p.h")) or f.startswith("q"))
        names.update(f for f in os.listdir(folder) if f.endswith(".h"))
    return names


WIDGET_HEADERS = qt_headers("QtWidgets") | qt_headers("QtPrintSupport")
# Persistent windows: those the composition root keeps (src/app/Windows.h).
with open(os.path.join(APP, "Windows.h"), encoding="utf-8") as f:
    PERSISTENT = set(re.findall(r"^class (Tfrm\w+);", f.read(), re.M))


def declared_windows(path):
    with open(path, encoding="utf-8") as f:
        return set(re.findall(r"^class (Tfrm\w+)\s*(?:final\s*)?:", f.read(), re.M))


def resolve(path, quoted):
    """The file a quoted include names, through the include roots."""
    here = os.path.dirname(path)
    roots = [here, CORE, UI, SRC]
    for r in roots:
        candidate = os.path.normpath(os.path.join(r, quoted))
        if os.path.isfile(candidate):
            return candidate
    return None


persistent_headers = {h for h in sources(UI) if h.endswith(".h") and declared_windows(h) & PERSISTENT}
graph = {}
for path in sorted(set(sources(SRC))):
    graph[path] = []
    in_core = path.startswith(CORE + os.sep)
    in_kit = path.startswith(os.path.join(UI, "kit") + os.sep)
    in_app = path.startswith(APP + os.sep)
    own = os.path.splitext(path)[0]
    for n, kind, name in includes(path):
        if kind == "<":
            if in_core and os.path.basename(name) in WIDGET_HEADERS:
                breach(path, n, f"core includes the widget header <{name}>")
            continue
        target = resolve(path, name)
        if target is None:
            breach(path, n, f'"{name}" names no file of the tree')
            continue
        graph[path].append((n, target))
        if in_core and not target.startswith(CORE + os.sep):
            breach(path, n, f'core includes "{name}" from outside core')
        if in_kit and target.startswith(UI + os.sep) and not target.startswith(os.path.join(UI, "kit") + os.sep):
            breach(path, n, f'the kit includes the window header "{name}"')
        if target in persistent_headers and not in_app and os.path.splitext(target)[0] != own:
            breach(path, n, f'only src/app may include the persistent window "{name}"')
        if target.startswith(APP + os.sep) and not in_app:
            breach(path, n, f'"{name}" reaches up into src/app')

    if path.startswith(UI + os.sep) or in_app:
        with open(path, encoding="utf-8") as f:
            for n, line in enumerate(f, 1):
                code = line.split("//", 1)[0]
                for m in CONTROL.finditer(code):
                    breach(path, n, f"reaches another object's control {m.group(1)}.{m.group(2)}")

# The same relative path in core and ui.
core_names = {os.path.relpath(p, CORE) for p in sources(CORE)}
for p in sources(UI):
    if os.path.relpath(p, UI) in core_names:
        breach(p, 1, f"src/core/{os.path.relpath(p, UI)} has the same relative path")

# Include loops.
WHITE, GREY, BLACK = 0, 1, 2
colour = {p: WHITE for p in graph}


def visit(p, trail):
    colour[p] = GREY
    for n, q in graph.get(p, []):
        if colour.get(q) == GREY:
            loop = trail[trail.index(q):] + [q] if q in trail else [p, q]
            breach(p, n, "include loop: " + " -> ".join(os.path.relpath(x, SRC) for x in loop))
        elif colour.get(q) == WHITE:
            visit(q, trail + [q])
    colour[p] = BLACK


sys.setrecursionlimit(10000)
for p in graph:
    if colour[p] == WHITE:
        visit(p, [p])

for line in problems:
    print(line)
if problems:
    print(f"check-layers: {len(problems)} breach(es)", file=sys.stderr)
    sys.exit(1)
print(f"check-layers: {len(graph)} files keep their layers")
