#!/usr/bin/env python3
"""Fails when an #include runs up the layers or two files include each other in a loop.

Layers, lowest first: platform, settings, document, view, dialogs, app. A folder may include
its own files and those of lower layers. res/ includes none of ours and may be used from view/
upwards; tools/ sits on document/ and res/; tests/ and bench/ may include anything.
"""
import os
import re
import sys

LAYERS = ["platform", "settings", "document", "view", "dialogs", "app"]
ALLOWED = {folder: set(LAYERS[: i + 1]) for i, folder in enumerate(LAYERS)}
for folder in ("view", "dialogs", "app"):
    ALLOWED[folder].add("res")
ALLOWED["res"] = {"res"}
ALLOWED["tools"] = {"platform", "settings", "document", "res", "tools"}
OPEN = {"tests", "bench"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


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
    graph, problems = {}, []
    for source in sources(root):
        folder = source.split(os.sep)[0]
        graph[source] = []
        with open(os.path.join(root, source), encoding="utf-8") as text:
            for number, line in enumerate(text, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = resolve(root, source, match.group(1))
                graph[source].append(target)
                used = target.split(os.sep)[0]
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
