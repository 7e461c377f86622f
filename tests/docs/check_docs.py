#!/usr/bin/env python3
"""Checks the library's documentation against the API reference.

  check_docs.py headers    XML_DIR             every public header opens with its
                                               /// @file contract
  check_docs.py cheatsheet XML_DIR SOURCE_DIR  every public operation, type and global
                                               is in docs/cheatsheet.md, under its header
  check_docs.py readme     SOURCE_DIR          the program under "Getting started" in
                                               README.md is examples/hello/main.cpp; every
                                               example has its gallery entry (picture and
                                               command) and every picture shown exists

XML_DIR is Doxygen's XML output (`make docs`: build/docs/api/xml). Doxygen reads
the public headers only, so what it lists is the public surface; whatever is
in namespace easel::detail is skipped. That every public name has its comment
is Doxygen's own check (WARN_IF_UNDOCUMENTED, warnings are errors).
"""

import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

_TOKEN = re.compile(r"operator\s*(?:\(\)|[^\s\w(]+)|operator\s+\w+|[A-Za-z_]\w*")
_CALLED = re.compile(r"(operator\s*(?:\(\)|[^\s\w(]+)|[A-Za-z_]\w*)\s*\(")


def normal(token: str) -> str:
    return re.sub(r"\s+", "", token)


def compounds(xml: Path, kinds):
    index = ET.parse(xml / "index.xml").getroot()
    for c in index.iter("compound"):
        if c.get("kind") in kinds:
            yield ET.parse(xml / (c.get("refid") + ".xml")).getroot().find("compounddef")


def public_names(xml: Path):
    """Maps each header's cheatsheet section to {name: (needed, line)}: every
    public operation (constructors under their type's name, operators by
    symbol), type and global variable is needed; fields only may be shown."""
    names = {}

    def add(loc, name, needed):
        entry = names.setdefault(loc.get("file"), {})
        old = entry.get(name, (False, 0))
        entry[name] = (old[0] or needed, loc.get("line"))

    for c in compounds(xml, ("namespace", "class", "struct", "union")):
        scope = c.findtext("compoundname")
        if scope != "easel" and not scope.startswith("easel::"):
            continue
        if c.get("kind") != "namespace":
            add(c.find("location"), scope.split("::")[-1], True)
        for m in c.iter("memberdef"):
            if m.get("prot") != "public" or "=delete" in normal(m.findtext("argsstring") or ""):
                continue
            needed = m.get("kind") != "variable" or c.get("kind") == "namespace"
            add(m.find("location"), normal(m.findtext("name")), needed)
    return names


def check_headers(xml: Path) -> list:
    problems = []
    for f in compounds(xml, ("file",)):
        where = f.find("location").get("file")
        text = "".join("".join(f.find(d).itertext())
                       for d in ("briefdescription", "detaileddescription"))
        if where.endswith(".h") and not text.strip():
            problems.append(f"{where}:1: the header does not open with its /// @file contract")
    return problems


def cheatsheet_sections(text: str):
    """Maps each '### easel/...h' heading to the code spans of its section."""
    sections = {}
    current = None
    for line in text.splitlines():
        if re.match(r"#{1,3}\s", line):
            h = re.search(r"easel/[\w/]+\.h", line) if line.startswith("### ") else None
            current = h.group(0) if h else None
            if current is not None:
                sections.setdefault(current, [])
        elif current is not None:
            sections[current].extend(re.findall(r"`([^`]+)`", line))
    return sections


def check_cheatsheet(xml: Path, root: Path) -> list:
    sections = cheatsheet_sections((root / "docs" / "cheatsheet.md").read_text(encoding="utf-8"))
    names = public_names(xml)
    problems = []
    for header, declared in sorted(names.items()):
        spans = sections.get(header, [])
        tokens = {normal(t) for span in spans for t in _TOKEN.findall(span)}
        for name, (needed, line) in sorted(declared.items()):
            if needed and name not in tokens:
                problems.append(f"docs/cheatsheet.md: {name} ({header}:{line}) is missing from "
                                f"the '### {header}' section")
        # Operations the section shows must still exist in the header.
        for span in spans:
            for called in map(normal, _CALLED.findall(span)):
                if called not in declared and not called.startswith("SDL_") and called != "span":
                    problems.append(f"docs/cheatsheet.md: '### {header}' shows {called}(...), "
                                    f"which {header} does not declare")
    for header in sections:
        if header not in names:
            problems.append(f"docs/cheatsheet.md: section '### {header}' names no public header")
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


CHECKS = {"headers": (check_headers, 1), "cheatsheet": (check_cheatsheet, 2), "readme": (check_readme, 1)}


def main(argv):
    if len(argv) < 2 or argv[1] not in CHECKS or len(argv) != 2 + CHECKS[argv[1]][1]:
        print(__doc__, file=sys.stderr)
        return 2
    check, _ = CHECKS[argv[1]]
    problems = check(*(Path(a).resolve() for a in argv[2:]))
    for p in problems:
        print(p)
    print(f"{argv[1]}: {len(problems)} problem(s)" if problems else f"{argv[1]}: no problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
