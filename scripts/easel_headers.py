"""A small scanner for easel's public headers.

It understands just enough C++ to find the declarations that users see: it
follows comments, strings, preprocessor lines and braces, knows which scopes
are namespaces, classes, enums or function bodies, and splits the code at
namespace and class scope into declarations. Both the Doxygen input filter
(scripts/doxygen_filter.py) and the cheatsheet check (tests/docs) use it, so
the API reference and the cheatsheet agree on what the public names are.

What counts as public: everything declared in namespace easel itself (not in
a namespace nested in it, such as detail, which holds internals; easel::colors,
the named colours, is the one public nested namespace), and the
public members of its classes and structs. Forward declarations,
static_assert and using-directives name nothing new.
"""

import re
from dataclasses import dataclass, field
from pathlib import Path
from typing import List, Optional

SUBSYSTEMS = ("display", "raster", "colour", "text", "geometry")

# Namespaces inside easel whose names are public too: easel::colors, the
# named colours.
PUBLIC_NAMESPACES = ("colors",)


@dataclass
class Scope:
    kind: str  # "file", "namespace", "class", "enum", "body", "init"
    name: str = ""
    public: bool = True  # current access in a class
    hidden: bool = False  # a detail namespace, or inside one


@dataclass
class Line:
    number: int  # 1-based
    text: str
    code: str = ""  # the line without comments; string contents kept
    comment: Optional[str] = None  # text of a // comment on the line
    comment_col: int = -1  # where that comment starts
    preprocessor: bool = False
    scopes: List[Scope] = field(default_factory=list)  # scope stack at line start

    @property
    def blank(self) -> bool:
        return not self.text.strip()

    @property
    def comment_only(self) -> bool:
        return self.comment is not None and not self.code.strip() and not self.preprocessor


@dataclass
class Decl:
    first_line: int
    last_line: int
    text: str  # the declaration's code at its own scope; nested bodies as {}
    scopes: List[Scope]  # enclosing scopes, innermost last
    kind: str = "other"  # function, variable, type, enumerator, friend, other
    name: str = ""
    declarators: List[str] = field(default_factory=list)  # all names of `int a, b;`

    @property
    def public(self) -> bool:
        for s in self.scopes:
            if s.hidden or s.kind in ("body", "init"):
                return False
            if s.kind == "class" and not s.public:
                return False
        return True

    @property
    def owner(self) -> str:
        """The enclosing class name, or "" at namespace scope."""
        classes = [s.name for s in self.scopes if s.kind in ("class", "enum")]
        return "::".join(classes)


def _copy_scopes(stack):
    return [Scope(s.kind, s.name, s.public, s.hidden) for s in stack]


def _is_doc_scope(scope: Scope) -> bool:
    return scope.kind in ("file", "namespace", "class", "enum")


def _split_lines(text: str) -> List[Line]:
    """Separates code from comments, line by line."""
    lines = []
    in_block = False
    continued_pp = False
    for number, raw in enumerate(text.split("\n"), start=1):
        line = Line(number, raw)
        stripped = raw.strip()
        if continued_pp or (not in_block and stripped.startswith("#")):
            line.preprocessor = True
            continued_pp = raw.endswith("\\")
            lines.append(line)
            continue
        code = []
        i = 0
        n = len(raw)
        while i < n:
            if in_block:
                end = raw.find("*/", i)
                if end < 0:
                    i = n
                else:
                    in_block = False
                    i = end + 2
                continue
            c = raw[i]
            if raw.startswith("//", i):
                line.comment = raw[i + 2:]
                line.comment_col = i
                break
            if raw.startswith("/*", i):
                in_block = True
                i += 2
                code.append(" ")
                continue
            if c in "\"'":
                j = i + 1
                while j < n and raw[j] != c:
                    j += 2 if raw[j] == "\\" else 1
                code.append(raw[i:j + 1])
                i = j + 1
                continue
            code.append(c)
            i += 1
        line.code = "".join(code)
        lines.append(line)
    return lines


_TYPE_HEAD = re.compile(r"\b(struct|class|union)\s+(?:\[\[[^\]]*\]\]\s*)?(\w+)")
_ENUM_HEAD = re.compile(r"\benum\s+(?:class\s+|struct\s+)?(\w+)")
_NAMESPACE_HEAD = re.compile(r"\bnamespace\s*([\w:]*)")


def _strip_strings(s: str) -> str:
    return re.sub(r"\"(?:\\.|[^\"\\])*\"|'(?:\\.|[^'\\])*'", '""', s)


class Header:
    """One scanned header: its lines and its declarations."""

    def __init__(self, path: Path, root: Optional[Path] = None):
        self.path = Path(path)
        self.rel = str(self.path.relative_to(root)) if root else str(self.path)
        self.lines = _split_lines(self.path.read_text(encoding="utf-8"))
        self.decls: List[Decl] = []
        self.namespaces = []  # [first line, closing line, name, internal] of each namespace
        self._scan()

    def _scan(self):
        stack = [Scope("file")]
        # The statement being read at the innermost doc scope, and those of
        # the enclosing doc scopes, waiting while a class or enum is read.
        stmt: List[str] = []
        stmt_start = 0
        paren = 0
        saved = []
        body_ends_stmt = []  # per open body: whether its } ends the statement

        def finish(line_no):
            nonlocal stmt, paren
            text = " ".join("".join(stmt).split())
            if text:
                self._add(Decl(stmt_start, line_no, text, _copy_scopes(stack)))
            stmt = []
            paren = 0

        for line in self.lines:
            line.scopes = _copy_scopes(stack)
            if line.preprocessor:
                continue
            code = _strip_strings(line.code)
            for i, c in enumerate(code):
                top = stack[-1]
                if not _is_doc_scope(top):
                    # Inside a function body or a brace initialiser: only braces matter.
                    if c == "{":
                        stack.append(Scope("body"))
                        body_ends_stmt.append(False)
                    elif c == "}":
                        stack.pop()
                        ends = body_ends_stmt.pop()
                        if _is_doc_scope(stack[-1]):
                            stmt.append("{}")
                            if ends:
                                finish(line.number)
                    continue
                if not stmt:
                    if c.isspace():
                        continue
                    stmt_start = line.number
                if c == "{":
                    head = "".join(stmt)
                    kind, name = self._classify_brace(head, paren, top)
                    if kind in ("namespace", "class", "enum"):
                        hidden = top.hidden or (kind == "namespace" and self._internal_namespace(name, stack))
                        if kind == "namespace":
                            self.namespaces.append([stmt_start, None, name, hidden])
                        public = not (kind == "class" and re.search(r"\bclass\s", head))
                        if kind != "namespace":
                            self._add(Decl(stmt_start, line.number, " ".join(head.split()),
                                           _copy_scopes(stack), "type", name))
                            saved.append((stmt + [" {...}"], stmt_start))
                        else:
                            saved.append(([], 0))
                        stmt, paren = [], 0
                        stack.append(Scope(kind, name, public, hidden))
                    else:
                        # In a constructor's initialiser list, `m{...}` is a
                        # member's initial value, not the body.
                        before = head.rstrip()
                        member_init = (re.search(r"\)\s*(?:noexcept\s*)?:(?!:)", head) is not None
                                       and (before[-1:].isalnum() or before[-1:] in ("_", ">")))
                        if paren or member_init:
                            stack.append(Scope("init"))
                            body_ends_stmt.append(False)
                        else:
                            stack.append(Scope("body"))
                            body_ends_stmt.append("(" in head and not before.endswith("="))
                    continue
                if c == "}":
                    if top.kind == "enum":
                        finish(line.number)
                    popped = stack.pop()
                    if popped.kind == "namespace":
                        open_ns = [n for n in self.namespaces if n[1] is None]
                        if open_ns:
                            open_ns[-1][1] = line.number
                    stmt, stmt_start = saved.pop() if saved else ([], 0)
                    paren = 0
                    continue  # a class or enum statement goes on to its ';'
                if c == ";" and paren == 0:
                    stmt.append(c)
                    finish(line.number)
                    continue
                if c == "," and paren == 0 and top.kind == "enum":
                    finish(line.number)
                    continue
                if c == ":" and top.kind == "class" and paren == 0:
                    label = "".join(stmt).strip()
                    if label in ("public", "private", "protected") and not code.startswith("::", i):
                        top.public = label == "public"
                        stmt = []
                        continue
                if c == "(":
                    paren += 1
                elif c == ")":
                    paren -= 1
                stmt.append(c)
            if stmt and _is_doc_scope(stack[-1]):
                stmt.append(" ")

    @staticmethod
    def _internal_namespace(name: str, stack) -> bool:
        """The library's names live in namespace easel itself. A namespace
        inside it (detail, or any other helper namespace), a qualified one
        such as easel::detail, and an anonymous one hold internals."""
        if name == "extern":
            return False  # an extern "C" block hides nothing
        if name == "" or "::" in name:
            return True
        enclosing = [s.name for s in stack if s.kind == "namespace" and s.name != "extern"]
        if enclosing == ["easel"] and name in PUBLIC_NAMESPACES:
            return False
        return bool(enclosing)

    @staticmethod
    def _classify_brace(head: str, paren: int, top: Scope):
        if paren:
            return "init", ""
        h = re.sub(r"\balignas\s*\([^)]*\)|\[\[.*?\]\]", " ", head).strip()
        m = _NAMESPACE_HEAD.search(h)
        if m and not re.search(r"\busing\b", h):
            return "namespace", m.group(1)
        if re.match(r'extern\s*"', h):
            return "namespace", "extern"
        if "(" not in h and "=" not in h:
            m = _ENUM_HEAD.search(h)
            if m:
                return "enum", m.group(1)
            m = _TYPE_HEAD.search(h)
            if m:
                return "class", m.group(2)
        return "body", ""

    def _add(self, decl: Decl):
        if decl.kind == "other":
            decl.kind, decl.name = classify(decl.text, decl.scopes[-1].kind == "enum")
        self.decls.append(decl)
        if decl.kind == "variable":
            # double x = 0, y = 0, z = 0; declares three names.
            names = declarator_names(decl.text)
            if len(names) > 1:
                decl.declarators = names
                for name in names[1:]:
                    self.decls.append(Decl(decl.first_line, decl.last_line, decl.text, decl.scopes,
                                           "variable", name, declarators=names))

    def public_decls(self):
        return [d for d in self.decls if d.public and d.name]


def split_top_level(text: str, sep: str = ","):
    """Splits at `sep` outside (), [], {} and <>."""
    parts, depth, cur = [], 0, []
    for c in text:
        if c in "([{<":
            depth += 1
        elif c in ")]}>":
            depth = max(0, depth - 1)
        if c == sep and depth == 0:
            parts.append("".join(cur))
            cur = []
        else:
            cur.append(c)
    parts.append("".join(cur))
    return parts


def declarator_names(text: str) -> List[str]:
    """The names a variable declaration declares, in order."""
    t = _strip_template(text).rstrip().rstrip(";")
    if "{...}" in t:
        return []
    parts = split_top_level(t)
    names = []
    for i, part in enumerate(parts):
        head = re.split(r"[=\[{(]", part, maxsplit=1)[0]
        m = re.search(r"(\w+)\s*$", head)
        if m:
            names.append(m.group(1))
    return names


def declaration_parts(text: str):
    """For `double x = 0, y = 0;`: ("double ", ["x = 0", "y = 0"])."""
    t = text.strip().rstrip(";").rstrip()
    parts = split_top_level(t)
    first = parts[0]
    head = re.split(r"[=\[{(]", first, maxsplit=1)[0]
    m = re.search(r"(\w+)\s*$", head)
    type_text = first[:m.start(1)]
    return type_text, [first[m.start(1):].strip()] + [p.strip() for p in parts[1:]]


def _strip_template(text: str) -> str:
    t = text.lstrip()
    while t.startswith("template"):
        i = t.find("<")
        if i < 0:
            break
        depth = 0
        for j in range(i, len(t)):
            if t[j] == "<":
                depth += 1
            elif t[j] == ">":
                depth -= 1
                if depth == 0:
                    t = t[j + 1:].lstrip()
                    break
        else:
            break
    return t


def classify(text: str, in_enum: bool = False):
    """Returns (kind, name) for one declaration's text."""
    t = re.sub(r"\[\[.*?\]\]|\balignas\s*\([^)]*\)", " ", _strip_template(text)).strip()
    if not t or t == ";":
        return "other", ""
    if in_enum:
        m = re.match(r"(\w+)", t)
        return ("enumerator", m.group(1)) if m else ("other", "")
    m = re.match(r"friend\s+(?:class|struct|union)\s+(\w+)\s*;?$", t)
    if m:
        return "friend", m.group(1)
    t = re.sub(r"^friend\s+", "", t)  # a friend function is a function beside its class
    if re.match(r"(static_assert|using\s+namespace|namespace)\b", t):
        return "other", ""
    m = re.match(r"using\s+(\w+)\s*=", t)
    if m:
        return "type", m.group(1)
    if re.match(r"(typedef)\b", t):
        m = re.search(r"(\w+)\s*;?\s*$", t.rstrip(";"))
        return ("type", m.group(1)) if m else ("other", "")
    if re.match(r"(struct|class|union|enum)\b[^({=]*;$", t):
        return "other", ""  # forward declaration
    if re.match(r"(struct|class|union|enum)\b[^(=]*\{\.\.\.\}\s*;$", t):
        return "other", ""  # the end of a class definition, recorded at its '{'
    head = t.split("{", 1)[0]
    m = re.search(r"\boperator\s*(\(\)|[^\s(\w][^\s(]*|\w+(?:\s*[*&])*)\s*\(", head)
    if m:
        return "function", "operator" + ("" if not m.group(1)[0].isalnum() else " ") + m.group(1).replace(" ", "")
    # The first '(' and '=' outside template arguments decide between a
    # function and a variable.
    angle = 0
    first_paren = first_eq = -1
    for i, c in enumerate(head):
        if c == "<":
            angle += 1
        elif c == ">":
            angle = max(0, angle - 1)
        elif angle == 0 and c == "(" and first_paren < 0:
            first_paren = i
        elif angle == 0 and c == "=" and first_eq < 0 and head[i + 1:i + 2] != "=":
            first_eq = i
    if first_paren >= 0 and (first_eq < 0 or first_paren < first_eq):
        m = re.search(r"((?:\w+\s*::\s*)*~?\w+)\s*$", head[:first_paren])
        if not m or "::" in m.group(1):
            return "other", ""  # an out-of-line definition is documented where it is declared
        return "function", m.group(1)
    cut = first_eq if first_eq >= 0 else len(head)
    var = re.sub(r"\[[^\]]*\]", "", head[:cut]).rstrip("; ")
    m = re.search(r"((?:\w+\s*::\s*)*\w+)\s*$", var)
    if not m or "::" in m.group(1):
        return "other", ""
    return "variable", m.group(1)


def public_headers(root: Path):
    """The library's public headers: each subsystem's *.h and the umbrella."""
    root = Path(root)
    found = []
    for sub in SUBSYSTEMS:
        found.extend(sorted((root / sub).glob("*.h")))
    umbrella = root / "include" / "easel" / "easel.h"
    if umbrella.exists():
        found.append(umbrella)
    return found


# How the headers document themselves (the Doxygen filter and the comment
# check both follow this):
#  * the // paragraph at the top of a header documents the file;
#  * the // lines directly above a declaration document it;
#  * above a field (or an enumerator) they also document the fields that
#    follow it line after line, up to the next blank or comment line;
#  * a trailing // comment on the last line of a declaration documents it;
#  * a defaulted or deleted special member (`X() = default;`) needs none.

def _shares_comment(first: Decl, follower: Decl) -> bool:
    return (first.kind == follower.kind and first.kind in ("variable", "enumerator")
            and len(first.scopes) == len(follower.scopes))


def file_comment(header: Header) -> List[int]:
    """The line numbers of the paragraph that opens the header."""
    run = []
    for line in header.lines:
        if not line.comment_only:
            break
        run.append(line.number)
    return run


def documentation(header: Header):
    """For each public named declaration: (decl, how, lines) where how is
    "above", "shared" (with `lines` of the comment above an earlier field),
    "trailing" or None, and lines are the comment's line numbers."""
    lines = header.lines
    public = [d for d in header.public_decls()]
    by_first = {}
    for d in public:
        by_first.setdefault(d.first_line, d)
    opening = set(file_comment(header))
    found = {}

    for d in public:
        run = []
        k = d.first_line - 1
        while k >= 1 and lines[k - 1].comment_only and k not in opening:
            run.append(k)
            k -= 1
        if run and id(d) not in found:
            found[id(d)] = ("above", sorted(run))
            prev = d
            while True:
                nxt = by_first.get(prev.last_line + 1)
                if nxt is None or not _shares_comment(d, nxt) or lines[nxt.first_line - 1].comment is not None:
                    break
                found.setdefault(id(nxt), ("shared", sorted(run)))
                prev = nxt
    for d in public:
        last = lines[d.last_line - 1]
        if id(d) not in found and last.comment is not None and last.code.strip():
            found[id(d)] = ("trailing", [d.last_line])
    result = []
    for d in public:
        how, run = found.get(id(d), (None, []))
        result.append((d, how, run))
    return result


def defaulted_or_deleted(decl: Decl) -> bool:
    """`X() = default;` and `X(const X&) = delete;` say all there is to say."""
    return decl.kind == "function" and re.search(r"=\s*(default|delete)\s*;?$", decl.text) is not None


def undocumented(header: Header) -> List[Decl]:
    return [d for d, how, _ in documentation(header) if how is None and not defaulted_or_deleted(d)]
