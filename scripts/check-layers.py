#!/usr/bin/env python3
"""Fails when a source file includes a folder above its own.

The layers, lowest first; a folder may include only itself and the folders below it.
Calls that must go upward go through core/services.h.
"""
import pathlib
import re
import sys

LAYERS = ["platform", "core", "sound", "engine", "macro", "showbuttons", "listeditor",
          "schedule", "cutout", "mainwindow", "app"]
RANK = {name: i for i, name in enumerate(LAYERS)}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([A-Za-z0-9_]+)/')


def main() -> int:
    root = pathlib.Path(__file__).resolve().parent.parent
    found = 0
    for layer in LAYERS:
        folder = root / layer
        if not folder.is_dir():
            continue
        for path in sorted(folder.rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                m = INCLUDE.match(line)
                if m and m.group(1) in RANK and RANK[m.group(1)] > RANK[layer]:
                    print(f"{path.relative_to(root)}:{number}: {layer}/ includes "
                          f"{m.group(1)}/, a layer above it: {line.strip()}")
                    found += 1
    if found:
        print(f"{found} include(s) of a higher layer; calls upward go through "
              "core/services.h", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
