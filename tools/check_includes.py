#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Keeps the folder layers of src/ as docs/ARCHITECTURE.md draws them.

Reads every quoted #include under src/, resolves it the way the compiler does (beside the file,
then the include roots its library sees) and fails, naming the file and line, on an include
between two folders that the table "Allowed include directions" does not list, and on any cycle
of folders (the table's own included). Run by CTest as include_directions.

Usage: check_includes.py SOURCE_DIR
"""

import re
import sys
from pathlib import Path

TABLE_TITLE = "### Allowed include directions"
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
QUOTED = re.compile(r"`([^`]+)`")
# The include roots each part of src/ sees, as its CMake targets give them.
ROOTS = {
    "core": ["core"],
    "service": ["service", "core"],
    "gui": ["gui", "core"],
    "app": ["app", "gui", "service", "core"],
}


def folder_of(relative):
    """src/core/text/Gbk.h -> core/text; src/service/ScoreService.h -> service; src/app/x -> app."""
    parts = relative.parts
    if parts[0] == "app" or len(parts) == 2:
        return parts[0]
    return parts[0] + "/" + parts[1]


def read_table(architecture):
    """{folder: [pattern, ...]} from the table's rows: | `folder` | `other`, `area/*`, ... |"""
    allowed = {}
    in_table = False
    for line in architecture.read_text(encoding="utf-8").splitlines():
        if line.startswith("#"):
            in_table = line.strip() == TABLE_TITLE
            continue
        if not in_table or not line.startswith("|"):
            continue
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        names = QUOTED.findall(cells[0])
        if len(cells) >= 2 and len(names) == 1:
            allowed[names[0]] = QUOTED.findall(cells[1])
    return allowed


def permits(patterns, target):
    return any(target == p or (p.endswith("/*") and target.startswith(p[:-1])) for p in patterns)


def find_cycle(edges):
    """One cycle of the folder graph as a list of folders, or None."""
    state = {}  # folder -> "open" while on the path, "done" afterwards

    def visit(node, path):
        state[node] = "open"
        path.append(node)
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == "open":
                return path[path.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt, path)
                if found:
                    return found
        path.pop()
        state[node] = "done"
        return None

    for node in sorted(edges):
        if node not in state:
            found = visit(node, [])
            if found:
                return found
    return None


def main():
    source_dir = Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    src = source_dir / "src"
    architecture = source_dir / "docs" / "ARCHITECTURE.md"
    allowed = read_table(architecture)
    problems = []
    if not allowed:
        problems.append(f"{architecture}: no table under '{TABLE_TITLE}'")

    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    folders = {folder_of(f.relative_to(src)) for f in files}
    for folder in sorted(folders - allowed.keys()):
        problems.append(f"{architecture}: the table has no row for the folder `{folder}`")

    edges = {}  # folder -> {folder: "file:line" of its first include}
    for path in files:
        relative = path.relative_to(src)
        here = folder_of(relative)
        lines = path.read_text(encoding="utf-8").splitlines()
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            where = f"{path.relative_to(source_dir)}:{number}"
            name = match.group(1)
            beside = path.parent / name
            if beside.is_file():
                header = beside.resolve()
            else:
                found = {(src / root / name).resolve() for root in ROOTS[relative.parts[0]]
                         if (src / root / name).is_file()}
                if not found:
                    continue  # a generated or system header
                if len(found) > 1:  # which one is meant would depend on the roots' order
                    names = ", ".join(str(f.relative_to(source_dir)) for f in sorted(found))
                    problems.append(f'{where}: "{name}" is ambiguous: {names}')
                    continue
                header = found.pop()
            target = folder_of(header.relative_to(src))
            if target == here:
                continue
            edges.setdefault(here, {}).setdefault(target, where)
            if not permits(allowed.get(here, []), target):
                problems.append(f"{where}: `{here}` may not include `{target}` "
                                f'("{name}"; see "{TABLE_TITLE[4:]}")')

    cycle = find_cycle({f: set(t) for f, t in edges.items()})
    if cycle:
        steps = [f"{a} -> {b} ({edges[a][b]})" for a, b in zip(cycle, cycle[1:])]
        problems.append("folders include each other: " + "; ".join(steps))
    table_edges = {f: {t for t in folders if t != f and permits(p, t)} for f, p in allowed.items()}
    table_cycle = find_cycle(table_edges)
    if table_cycle:
        problems.append(f"{architecture}: the table allows a cycle: " + " -> ".join(table_cycle))

    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"{len(files)} files, {sum(len(t) for t in edges.values())} folder directions: "
          f"all allowed, no cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
