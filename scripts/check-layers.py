#!/usr/bin/env python3
"""Fails when an #include runs up the layers, two files include each other in a loop, or a core
folder includes a Qt header from outside QtCore.

Layers, lowest first: platform/core, settings, document, platform/gui, view, dialogs, app. A folder
may include its own files and those of lower layers. res/ includes none of ours and may be used from
view/ upwards; tools/ sits on document/ and res/; tests/ and bench/ may include anything. The core
folders build without a display, so Qt's GUI, Widgets and Network headers stay out of them.
"""
import glob
import os
import re
import sys

LAYERS = ["platform/core", "settings", "document", "platform/gui", "view", "dialogs", "app"]
ALLOWED = {folder: set(LAYERS[: i + 1]) for i, folder in enumerate(LAYERS)}
for folder in ("view", "dialogs", "app"):
    ALLOWED[folder].add("res")
ALLOWED["res"] = {"res"}
ALLOWED["tools"] = {"platform/core", "settings", "document", "res", "tools"}
OPEN = {"tests", "bench"}
CORE = {"platform/core", "settings", "document"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
QT_INCLUDE = re.compile(r'^\s*#\s*include\s+<(Q[A-Za-z]*(?:/[A-Za-z]+)?)>')


def qtcore_headers():
    """The names QtCore provides, read from the installed headers."""
    folders = glob.glob("/usr/include/*/qt6/QtCore") + glob.glob("/usr/include/qt6/QtCore")
    if not folders:
        sys.exit("QtCore headers not found: install qt6-base-dev")
    return set(os.listdir(folders[0]))


def folder_of(path):
    """The layer a file belongs to: platform/core or platform/gui, else its top folder."""
    parts = path.split(os.sep)
    return "/".join(parts[:2]) if parts[0] == "platform" else parts[0]


def sources(root):
    for folder in sorted(set(ALLOWED) | OPEN):
        for dirpath, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if name.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(dirpath, name), root)


def resolve(root, source, target):
    beside = os.path.normpath(os.path.join(os.path.dirname(source), target))
    return beside if os.path.exists(os.path.join(root, beside)) else os.path.normpath(target)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    graph, problems, core_names = {}, [], qtcore_headers()
    for source in sources(root):
        folder = folder_of(source)
        graph[source] = []
        with open(os.path.join(root, source), encoding="utf-8") as text:
            for number, line in enumerate(text, 1):
                qt = QT_INCLUDE.match(line)
                if qt and folder in CORE:
                    name = qt.group(1)
                    if name.split("/")[-1] not in core_names or ("/" in name and not name.startswith("QtCore/")):
                        problems.append(f"{source}:{number}: {folder}/ must not include <{name}>: QtCore only")
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = resolve(root, source, match.group(1))
                graph[source].append(target)
                used = folder_of(target)
                if folder not in OPEN and used not in ALLOWED[folder] and os.sep in target:
                    problems.append(f"{source}:{number}: {folder}/ must not include {target}")

    state = {}

    def visit(node, path):
        state[node] = "open"
        for nxt in graph.get(node, []):
            if state.get(nxt) == "open":
                problems.append("include cycle: " + " -> ".join(path[path.index(nxt):] + [nxt]))
            elif nxt not in state:
                visit(nxt, path + [nxt])
        state[node] = "done"

    for node in graph:
        if node not in state:
            visit(node, [node])

    for problem in problems:
        print(problem)
    print(f"{len(graph)} files checked, {len(problems)} layering problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
