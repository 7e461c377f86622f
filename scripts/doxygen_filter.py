#!/usr/bin/env python3
"""Doxygen input filter: lets easel's plain // comments document the API.

Usage (Doxygen's INPUT_FILTER): doxygen_filter.py HEADER  -> filtered text on stdout

The rule it applies, the one the headers are written to:
  * The // paragraph at the top of a header documents the file.
  * A run of // lines directly above a declaration at namespace or class scope
    (no blank line between) documents that declaration. It also documents the
    declarations that follow the first one directly, line after line, up to the
    next blank or comment line: one comment above the fields r, g, b of a
    record documents all three.
  * A trailing // comment on the last line of a declaration documents it.
  * Comments inside function bodies and in namespaces named detail are left
    alone; detail is not public.
Comment text is plain text: characters that Doxygen would read as commands or
markup are escaped. Every output line stays on its input line, so Doxygen's
warnings point at the right line of the header.
"""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from easel_headers import Header, _is_doc_scope  # noqa: E402

_ESCAPES = str.maketrans({c: "\\" + c for c in "\\@<>&#$%"})


class Plain:
    """Escapes comment text for Doxygen. Text in double quotes is left as it
    stands, since Doxygen shows quoted text literally; a quotation may go on
    over the next lines of the same comment."""

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


def plain(text: str) -> str:
    return Plain()(text)


def doc_scope(line) -> bool:
    return all(_is_doc_scope(s) and not s.hidden for s in line.scopes)


def filter_header(path: Path) -> str:
    header = Header(path)
    lines = header.lines
    out = [l.text for l in lines]
    by_first = {}
    for d in header.decls:
        if d.name and d.public:
            by_first.setdefault(d.first_line, d)
    by_last = {d.last_line: d for d in header.decls if d.name and d.public}

    def comment_run_above(number):
        """The comment-only lines directly above line `number`, top first."""
        run = []
        k = number - 1
        while k >= 1 and lines[k - 1].comment_only:
            run.append(k)
            k -= 1
        return list(reversed(run))

    # The file's own paragraph: the comment lines that open it.
    k = 1
    while k <= len(lines) and lines[k - 1].comment_only:
        k += 1
    if k > 1:
        esc = Plain()
        for n in range(1, k):
            out[n - 1] = "///" + esc(lines[n - 1].comment)
        out[k - 2] += " \\file"

    for first, decl in sorted(by_first.items()):
        run = comment_run_above(first)
        if not run or run[0] == 1 or not doc_scope(lines[first - 1]):
            continue
        esc = Plain()
        for n in run:
            out[n - 1] = lines[n - 1].text[:lines[n - 1].comment_col] + "///" + esc(lines[n - 1].comment)
        esc = Plain()
        text = " ".join(esc(lines[n - 1].comment.strip()) for n in run).replace("*/", "* /")
        # The declarations that follow line after line share the comment.
        prev = decl
        while True:
            nxt = by_first.get(prev.last_line + 1)
            if nxt is None or nxt.scopes[-1].kind != decl.scopes[-1].kind or len(nxt.scopes) != len(decl.scopes):
                break
            if lines[nxt.first_line - 1].comment is not None:
                break
            line = out[nxt.first_line - 1]
            indent = len(line) - len(line.lstrip())
            out[nxt.first_line - 1] = line[:indent] + "/** " + text + " */ " + line[indent:]
            prev = nxt

    for last, decl in by_last.items():
        line = lines[last - 1]
        if line.comment is not None and line.code.strip() and doc_scope(lines[decl.first_line - 1]):
            out[last - 1] = out[last - 1][:line.comment_col] + "///<" + plain(line.comment)

    return "\n".join(out)


def main(argv):
    if len(argv) != 2:
        print("usage: doxygen_filter.py HEADER", file=sys.stderr)
        return 2
    sys.stdout.write(filter_header(Path(argv[1])))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
