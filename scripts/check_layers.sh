#!/usr/bin/env bash
# Fails when an #include crosses the library graph upward, or a Qt header is included
# below the Qt layer. Each folder of src/ is one library; a file may include headers of
# its own library and of the layers below it:
#   platform <- xml <- resources <- objects <- document <- report <- print <- qt <- preview <- app <- cli
# (objects/special is part of objects; platform/qt, resources/qt and print/qt form qt;
# app/filter, the print server's filter program, stands beside app).
set -euo pipefail
cd "$(dirname "$0")/../src"
exec python3 - "$@" <<'PY'
import os, re, sys

LAYERS = ["platform", "xml", "resources", "objects", "document", "report", "print", "qt",
          "preview", "app", "cli"]
FOLDERS = {"objects/special": "objects", "platform/qt": "qt", "resources/qt": "qt",
           "print/qt": "qt", "app/cli": "cli", "app/filter": "app"}
QT_FROM = LAYERS.index("qt")
include = re.compile(r'\s*#\s*include\s*([<"])([^">]+)[">]')


def layer_of(folder):
    name = FOLDERS.get(folder, folder)
    return LAYERS.index(name) if name in LAYERS else None


faults = []
for folder, _, files in os.walk("."):
    folder = os.path.relpath(folder, ".")
    own = layer_of(folder)
    if own is None:
        continue
    for name in sorted(files):
        if not name.endswith((".cpp", ".h")):
            continue
        path = os.path.join(folder, name)
        with open(path, encoding="utf-8", errors="replace") as source:
            for number, line in enumerate(source, 1):
                match = include.match(line)
                if not match:
                    continue
                kind, target = match.groups()
                if kind == "<":
                    if own < QT_FROM and re.match(r"Q[A-Za-z]|qt[a-z]*/", target):
                        faults.append(f"{path}:{number}: {LAYERS[own]} includes Qt header <{target}>")
                    continue
                theirs = layer_of(os.path.dirname(target))
                if theirs is not None and theirs > own:
                    faults.append(f"{path}:{number}: {LAYERS[own]} includes {target} ({LAYERS[theirs]})")
                elif theirs is None and not os.path.exists(os.path.join(folder, target)):
                    faults.append(f"{path}:{number}: {target} is in no library folder")

for fault in faults:
    print(fault)
if faults:
    print(f"layering: {len(faults)} include(s) against the library graph", file=sys.stderr)
    sys.exit(1)
print("layering: every include follows the library graph")
PY
