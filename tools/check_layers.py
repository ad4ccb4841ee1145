#!/usr/bin/env python3
"""Fails when a source file includes a header of a higher layer.

The layers, lowest first, are the folders of src/: a file may include headers of its own layer and of
the layers below it, never above. Usage: check_layers.py <src-dir>
"""

import re
import sys
from pathlib import Path

LAYERS = ["core", "refdata", "entry", "rosters", "files", "workspace", "print", "ui", "app"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def main():
    src = Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    problems = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        layer = path.relative_to(src).parts[0]
        if layer not in LAYERS:
            problems.append(f"{path}: folder {layer!r} is not a known layer")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or "/" not in match.group(1):
                continue
            target = match.group(1).split("/")[0]
            if target in LAYERS and LAYERS.index(target) > LAYERS.index(layer):
                problems.append(f"{path}:{number}: {layer} includes {match.group(1)} of the higher layer {target}")
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) against the layer order {' <- '.join(LAYERS)}")
        return 1
    print(f"layer order {' <- '.join(LAYERS)} holds")
    return 0


if __name__ == "__main__":
    sys.exit(main())
