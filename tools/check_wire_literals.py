#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Keeps the protocol's paths and field keys spelled in src/core/wire alone.

Fails, naming the file and line, on a string literal elsewhere under src/ that holds an
endpoint's path ("/record.php", "/healthz", ...) or writes a field of the protocol ("keti=",
"&mp="), and on a field read by a string key (call.field("...")): each belongs in
src/core/wire/Endpoints.h or Fields.h, which the program and the service both build from.
Run by CTest as wire_literals.

Usage: check_wire_literals.py SOURCE_DIR
"""

import re
import sys
from pathlib import Path

KEY = re.compile(r'inline constexpr Key \w+\{"([^"]+)"\}')
PATH = re.compile(r'inline constexpr Endpoint \w+\{"([^"]+)"')
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
STRING_KEY_READ = re.compile(r'\.field\(\s*"')


def main(source_dir):
    src = Path(source_dir) / "src"
    wire = src / "core" / "wire"
    keys = KEY.findall((wire / "Fields.h").read_text(encoding="utf-8"))
    paths = [p for p in PATH.findall((wire / "Endpoints.h").read_text(encoding="utf-8"))
             if p != "/"]
    if not keys or not paths:
        print("check_wire_literals: no keys or paths found in src/core/wire")
        return 1
    php = re.compile(r"/[a-z]+\.php\b")
    field = re.compile(r"(?:^|[?&])(?:%s)(?:\[\d*\])?=" % "|".join(map(re.escape, keys)))
    problems = []
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".cpp", ".h") or wire in file.parents:
            continue
        for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
            code = line.split("//", 1)[0] if not line.lstrip().startswith("//") else ""
            where = f"{file.relative_to(source_dir)}:{number}"
            if STRING_KEY_READ.search(code):
                problems.append(f"{where}: a field read by a string key; use wire::field")
            for literal in LITERAL.findall(code):
                if php.search(literal) or literal in paths:
                    problems.append(f"{where}: the path {literal!r}; use its wire::Endpoint")
                elif field.search(literal):
                    problems.append(f"{where}: the field in {literal!r}; use wire::Form")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
