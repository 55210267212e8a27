#!/usr/bin/env bash
# Keeps the layers of the tree: reads the includes of every source file and
# fails, naming file and include, when a folder includes from a folder above
# it, when the core or a library includes Qt, when GDAL is included outside
# a */gdal/ folder, or when a top-level folder of
# sources has no place in the order below.
#
# Order, bottom up (folders on one line may include each other):
#   the two libraries     datalib/ fileprompt/ (without fileprompt/qt/)
#   shared core helpers   base/
#   the core              study/ compute/ criteria/ equipment/ casefile/ report/ site/
#   over the core         programme/ vibration/, every */gdal/ folder (GDAL at the I/O edge)
#   command-line tools    cli/ sfdata/
#   Qt platform           fileprompt/qt/ qtplatform/, every other */qt/ folder
#   windows               every */ui/ folder
#   the programs          app/ cli/qt/ (the batch tool's Qt-side commands)
# Tests, benchmarks, fuzz targets and the guide's tool stand over all of them
# and are not checked.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - "$@" <<'EOF'
import os, re, sys

LEVELS = [
    ["datalib", "fileprompt"],
    ["base"],
    ["study", "compute", "criteria", "equipment", "casefile", "report", "site"],
    ["*/gdal", "programme", "vibration"],
    ["cli", "sfdata"],
    ["*/qt", "qtplatform"],
    ["*/ui"],
    ["app", "cli/qt"],
]
QT_SIDE_FROM = LEVELS.index(["*/qt", "qtplatform"])
UNCHECKED = {"tests", "bench", "fuzz", "doc", "packaging", "examples", "data", "tools", "cmake"}
SOURCE = re.compile(r"\.(c|cc|cpp|cxx|h|hh|hpp)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^Q[A-Za-z]|^Qt[A-Za-z]*/")
GDAL_HEADER = re.compile(r"^(gdal|ogr|cpl)[a-z_]*\.h$|^gdal/")
# Flat includes of the libraries' public headers resolve through their folders.
LIBRARY_DIRS = ["datalib", "fileprompt", "fileprompt/qt"]

def folder_of(path):
    """The folder of the order a source path belongs to, or None when unplaced."""
    parts = path.split("/")
    if len(parts) >= 3 and "/".join(parts[:2]) == "cli/qt":
        return "cli/qt"
    if len(parts) >= 3 and parts[1] in ("ui", "qt", "gdal"):
        return "*/" + parts[1]
    return parts[0]

def level_of(folder):
    for i, names in enumerate(LEVELS):
        if folder in names:
            return i
    return None

def resolve(src, name):
    here = os.path.normpath(os.path.join(os.path.dirname(src), name))
    if os.path.isfile(here):
        return here
    if os.path.isfile(name):
        return os.path.normpath(name)
    for d in LIBRARY_DIRS:
        p = os.path.join(d, name)
        if os.path.isfile(p):
            return p
    return None

failures = []
sources = []
for top in sorted(os.listdir(".")):
    if top.startswith(".") or top.startswith("build") or top in UNCHECKED or not os.path.isdir(top):
        continue
    for root, dirs, files in os.walk(top):
        dirs[:] = [d for d in dirs if not d.startswith(".")]
        sources += [os.path.join(root, f) for f in sorted(files) if SOURCE.search(f)]

for src in sources:
    folder = folder_of(src)
    level = level_of(folder)
    if level is None:
        failures.append(f"{src}: the folder {folder}/ has no place in the layer order (tools/check-layers.sh)")
        continue
    with open(src, encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            name = m.group(2)
            if QT_HEADER.match(name):
                if level < QT_SIDE_FROM:
                    failures.append(f"{src}:{number}: includes Qt ({name}), but {folder}/ is below the Qt side")
                continue
            if GDAL_HEADER.match(name) and folder != "*/gdal":
                failures.append(f"{src}:{number}: includes GDAL ({name}) outside a */gdal/ folder")
                continue
            target = resolve(src, name)
            if target is None:
                continue  # the standard library or a system package
            tlevel = level_of(folder_of(target))
            if tlevel is not None and tlevel > level:
                failures.append(f"{src}:{number}: includes {name}, from {folder_of(target)}/ above {folder}/")

for f in failures:
    print(f)
if failures:
    print(f"check-layers: {len(failures)} include(s) against the layer order")
    sys.exit(1)
print(f"check-layers: {len(sources)} source files keep the layer order")
EOF
