#!/usr/bin/env python3
"""Checks the library's documentation against its public headers.

  check_docs.py comments   SOURCE_DIR   every public name has its comment
  check_docs.py cheatsheet SOURCE_DIR   every public operation, type and global
                                        is in docs/cheatsheet.md, under its header
  check_docs.py readme     SOURCE_DIR   the program under "Getting started" in
                                        README.md is examples/hello/main.cpp; every
                                        example has its gallery entry (picture and
                                        command) and every picture shown exists

The public headers are every *.h of display/ raster/ colour/ text/ geometry/
image/
and include/easel/easel.h, so a header added to a subsystem is checked without
changing anything here. Each failure is listed with the header and line.
"""

import re
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
from easel_headers import Header, defaulted_or_deleted, file_comment, public_headers, undocumented  # noqa: E402

_TOKEN = re.compile(r"operator\s*(?:\(\)|[^\s\w(]+)|operator\s+\w+|[A-Za-z_]\w*")
_CALLED = re.compile(r"(operator\s*(?:\(\)|[^\s\w(]+)|[A-Za-z_]\w*)\s*\(")


def headers(root: Path):
    return [Header(p, root) for p in public_headers(root)]


def include_name(header: Header) -> str:
    rel = header.rel.replace("\\", "/")
    return "easel/easel.h" if rel == "include/easel/easel.h" else "easel/" + rel


def normal(token: str) -> str:
    return re.sub(r"\s+", "", token)


def required_names(header: Header):
    """Names the cheatsheet must show: every operation (constructors under
    their type's name, operators by symbol), every type and every global
    variable. Fields and enumerators are described with their type."""
    names = {}
    for d in header.public_decls():
        if d.kind == "variable" and d.owner:
            continue
        if d.kind in ("enumerator", "friend") or (defaulted_or_deleted(d) and "delete" in d.text):
            continue
        names.setdefault(normal(d.name), d)
    return names


def check_comments(root: Path) -> list:
    problems = []
    for h in headers(root):
        if not file_comment(h):
            problems.append(f"{h.rel}:1: the header does not open with its contract paragraph")
        for d in undocumented(h):
            where = f"{d.owner}::{d.name}" if d.owner else d.name
            problems.append(f"{h.rel}:{d.first_line}: no comment above {d.kind} {where}")
    return problems


def cheatsheet_sections(text: str):
    """Maps each '### easel/...h' heading to the code spans of its section."""
    sections = {}
    current = None
    for line in text.splitlines():
        m = re.match(r"#{1,3}\s", line)
        if m:
            h = re.search(r"easel/[\w/]+\.h", line) if line.startswith("### ") else None
            current = h.group(0) if h else None
            if current is not None:
                sections.setdefault(current, [])
            continue
        if current is not None:
            sections[current].extend(re.findall(r"`([^`]+)`", line))
    return sections


def check_cheatsheet(root: Path) -> list:
    sheet = root / "docs" / "cheatsheet.md"
    if not sheet.exists():
        return [f"{sheet}: missing"]
    sections = cheatsheet_sections(sheet.read_text(encoding="utf-8"))
    problems = []
    known = set()
    for h in headers(root):
        name = include_name(h)
        known.add(name)
        needed = required_names(h)
        if not needed:
            continue
        spans = sections.get(name)
        if spans is None:
            problems.append(f"docs/cheatsheet.md: no '### {name}' section for {len(needed)} public names: "
                            + ", ".join(sorted(needed)))
            continue
        tokens = {normal(t) for span in spans for t in _TOKEN.findall(span)}
        for n, d in sorted(needed.items()):
            if n not in tokens:
                where = f"{d.owner}::{d.name}" if d.owner else d.name
                problems.append(f"docs/cheatsheet.md: {where} ({h.rel}:{d.first_line}) is missing "
                                f"from the '### {name}' section")
        # Operations the section shows must still exist in the header.
        declared = {normal(d.name) for d in h.public_decls()}
        for span in spans:
            for called in _CALLED.findall(span):
                c = normal(called)
                if c not in declared and not c.startswith("SDL_") and c not in ("span",):
                    problems.append(f"docs/cheatsheet.md: '### {name}' shows {c}(...), "
                                    f"which {h.rel} does not declare")
    for name in sections:
        if name not in known:
            problems.append(f"docs/cheatsheet.md: section '### {name}' names no public header")
    return problems


def check_readme(root: Path) -> list:
    readme = (root / "README.md").read_text(encoding="utf-8")
    problems = []
    hello = (root / "examples" / "hello" / "main.cpp").read_text(encoding="utf-8")
    m = re.search(r"^## Getting started\n.*?```cpp\n(.*?)```", readme, re.S | re.M)
    if not m:
        problems.append("README.md: no C++ program under '## Getting started'")
    elif m.group(1).strip() != hello.strip():
        problems.append("README.md: the program under '## Getting started' differs from "
                        "examples/hello/main.cpp")
    return problems + check_gallery(root, readme)


def check_gallery(root: Path, readme: str) -> list:
    """Each examples/<name>/main.cpp has a '### <name>' subsection under
    '## Examples' showing docs/images/<name>.png and the command that runs
    example_<name>; every local picture the README shows exists."""
    problems = []
    for path in re.findall(r"!\[[^\]]*\]\(([^)\s]+)\)", readme):
        if "://" not in path and not (root / path).is_file():
            problems.append(f"README.md: the picture {path} does not exist")
    m = re.search(r"^## Examples\n(.*?)(?=^## |\Z)", readme, re.S | re.M)
    if not m:
        return problems + ["README.md: no '## Examples' section"]
    entries = dict(re.findall(r"^### (\S+)\n(.*?)(?=^### |\Z)", m.group(1), re.S | re.M))
    names = sorted(p.parent.name for p in (root / "examples").glob("*/main.cpp"))
    for name in names:
        entry = entries.get(name)
        if entry is None:
            problems.append(f"README.md: '## Examples' has no '### {name}' subsection")
            continue
        if f"](docs/images/{name}.png)" not in entry:
            problems.append(f"README.md: '### {name}' does not show docs/images/{name}.png")
        if f"examples/example_{name}" not in entry:
            problems.append(f"README.md: '### {name}' does not give the command for example_{name}")
    return problems


CHECKS = {"comments": check_comments, "cheatsheet": check_cheatsheet, "readme": check_readme}


def main(argv):
    if len(argv) != 3 or argv[1] not in CHECKS:
        print(__doc__, file=sys.stderr)
        return 2
    root = Path(argv[2]).resolve()
    problems = CHECKS[argv[1]](root)
    for p in problems:
        print(p)
    if problems:
        print(f"{argv[1]}: {len(problems)} problem(s)")
        return 1
    if argv[1] == "readme":
        print("readme: the README shows examples/hello/main.cpp as it is, and every example")
    else:
        print(f"{argv[1]}: all public names of {len(public_headers(root))} headers are covered")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
