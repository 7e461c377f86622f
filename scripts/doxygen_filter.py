#!/usr/bin/env python3
"""Doxygen input filter: lets easel's plain // comments document the API.

Usage (Doxygen's FILTER_PATTERNS): doxygen_filter.py HEADER  -> filtered text on stdout

The headers are written to one rule (see scripts/easel_headers.py):
  * the // paragraph at the top of a header documents the file;
  * the // lines directly above a public declaration document it; every
    operation, type and global has its own comment;
  * one comment above fields declared line after line (r, g, b of a record)
    documents all of them;
  * a trailing // comment on the last line of a declaration documents it;
  * comments inside function bodies are left alone, and namespaces nested in
    easel (detail and other helper namespaces) are internal: Doxygen skips
    them (\cond ... \endcond); easel::colors, the named colours, is public.
This filter turns exactly those comments into Doxygen comments. Comment text is
plain text: characters Doxygen would read as commands or markup are escaped,
except inside double quotes, which Doxygen shows as they stand. Every output
line stays on its input line, so Doxygen's warnings name the right line.
"""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from easel_headers import Header, declaration_parts, documentation, file_comment, public_headers  # noqa: E402

_ESCAPES = str.maketrans({c: "\\" + c for c in "\\@<>&#$%"})


class Plain:
    """Escapes comment text line by line; a quotation may go on over the next
    lines of the same comment."""

    def __init__(self):
        self.quoted = False

    def __call__(self, text: str) -> str:
        parts = text.split('"')
        for i, part in enumerate(parts):
            inside = self.quoted if i % 2 == 0 else not self.quoted
            if not inside:
                parts[i] = part.translate(_ESCAPES)
        if len(parts) % 2 == 0:
            self.quoted = not self.quoted
        return '"'.join(parts)


def filter_header(path: Path) -> str:
    header = Header(path)
    lines = header.lines
    out = [l.text for l in lines]

    def as_doc(numbers, marker="///"):
        esc = Plain()
        for n in numbers:
            line = lines[n - 1]
            out[n - 1] = out[n - 1][:line.comment_col] + marker + esc(line.comment)

    # Internal namespaces are hidden from Doxygen altogether.
    for first, last, _, internal in header.namespaces:
        if internal and last is not None:
            out[first - 1] = "/** \\cond */ " + out[first - 1]
            # after the closing brace, before any // comment on its line
            closing = lines[last - 1]
            at = closing.comment_col if closing.comment is not None else len(out[last - 1])
            out[last - 1] = out[last - 1][:at].rstrip() + " /** \\endcond */ " + out[last - 1][at:]

    opening = file_comment(header)
    if opening:
        as_doc(opening)
        out[opening[-1] - 1] += " \\file"

    def inline_doc(run):
        esc = Plain()
        return "/** " + " ".join(esc(lines[n - 1].comment.strip()) for n in run).replace("*/", "* /") + " */ "

    split_lines = set()
    for decl, how, run in documentation(header):
        if how == "above":
            as_doc(run)
        elif how == "trailing" and decl.first_line not in split_lines:
            as_doc(run, "///<")
        elif how == "shared":
            line = out[decl.first_line - 1]
            indent = len(line) - len(line.lstrip())
            out[decl.first_line - 1] = line[:indent] + inline_doc(run) + line[indent:]
        if how and len(decl.declarators) > 1 and decl.first_line == decl.last_line \
                and decl.first_line not in split_lines:
            # Doxygen documents only the first of `double x, y, z;`: give it
            # one declaration per name, on the same line.
            split_lines.add(decl.first_line)
            line = lines[decl.first_line - 1]
            type_text, parts = declaration_parts(line.code)
            doc = inline_doc(run)
            first = "" if how == "above" else doc
            code = first + type_text.strip() + " " + parts[0] + "; " + " ".join(
                doc + type_text.strip() + " " + p + ";" for p in parts[1:])
            indent = len(line.code) - len(line.code.lstrip())
            tail = "" if line.comment is None else line.text[len(line.code.rstrip()):]
            out[decl.first_line - 1] = line.code[:indent] + code + tail
    return "\n".join(out)


def check(root: Path) -> int:
    """Filters every public header once. Doxygen takes a failed filter's empty
    output for an empty file and carries on, so the docs build runs this
    first: a header the filter cannot read must fail loudly."""
    failed = 0
    headers = public_headers(root)
    for path in headers:
        try:
            text = filter_header(path)
        except Exception as e:  # noqa: BLE001 - report any failure with its header
            print(f"{path}: the Doxygen filter failed: {type(e).__name__}: {e}")
            failed += 1
            continue
        if text.count("\n") != path.read_text(encoding="utf-8").count("\n"):
            print(f"{path}: the Doxygen filter moved lines")
            failed += 1
    if not headers:
        print(f"{root}: no public headers")
        return 1
    return 1 if failed else 0


def main(argv):
    if len(argv) == 3 and argv[1] == "--check":
        return check(Path(argv[2]))
    if len(argv) != 2:
        print("usage: doxygen_filter.py HEADER | doxygen_filter.py --check SOURCE_DIR", file=sys.stderr)
        return 2
    sys.stdout.write(filter_header(Path(argv[1])))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
