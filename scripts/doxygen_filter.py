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
  * comments inside function bodies and in namespaces named detail are left
    alone: detail is not public.
This filter turns exactly those comments into Doxygen comments. Comment text is
plain text: characters Doxygen would read as commands or markup are escaped,
except inside double quotes, which Doxygen shows as they stand. Every output
line stays on its input line, so Doxygen's warnings name the right line.
"""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from easel_headers import Header, documentation, file_comment  # noqa: E402

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

    opening = file_comment(header)
    if opening:
        as_doc(opening)
        out[opening[-1] - 1] += " \\file"

    for decl, how, run in documentation(header):
        if how == "above":
            as_doc(run)
        elif how == "trailing":
            as_doc(run, "///<")
        elif how == "shared":
            esc = Plain()
            text = " ".join(esc(lines[n - 1].comment.strip()) for n in run).replace("*/", "* /")
            line = out[decl.first_line - 1]
            indent = len(line) - len(line.lstrip())
            out[decl.first_line - 1] = line[:indent] + "/** " + text + " */ " + line[indent:]
    return "\n".join(out)


def main(argv):
    if len(argv) != 2:
        print("usage: doxygen_filter.py HEADER", file=sys.stderr)
        return 2
    sys.stdout.write(filter_header(Path(argv[1])))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
