#!/usr/bin/env python3
"""Fails when a folder under src/ includes a folder above it in the layering
or a sibling on its own level (docs/ARCHITECTURE.md, "Layers")."""
import pathlib
import re
import sys

LEVELS = [
    {"core"},
    {"rcon"},
    {"logfeed", "players"},
    {"commands", "maps", "enforcement", "setup"},
    {"app"},
    {"headless", "platform", "console"},
]
LEVEL = {folder: n for n, folders in enumerate(LEVELS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/')


def breaches(src):
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        owner = path.relative_to(src).parts[0]
        if owner not in LEVEL:
            found.append(f"{path}: folder {owner} has no place in the layering")
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or match.group(1) == owner:
                continue
            target = match.group(1)
            if target in LEVEL and LEVEL[target] < LEVEL[owner]:
                continue
            found.append(f"{path}:{number}: {owner} includes {target}")
    return found


if __name__ == "__main__":
    problems = breaches(pathlib.Path(sys.argv[1]))
    print("\n".join(problems))
    sys.exit(1 if problems else 0)
