#!/usr/bin/env python3
"""Tests of the documentation tools: the header scanner, the Doxygen filter and
the cheatsheet check, on small headers with the declaration shapes the library
uses (and a few it may come to use)."""

import re
import shutil
import subprocess
import sys
import tempfile
import textwrap
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "scripts"))
sys.path.insert(0, str(ROOT / "tests" / "docs"))

import check_docs  # noqa: E402
import doxygen_filter  # noqa: E402
from easel_headers import Header, undocumented  # noqa: E402


def scan(source: str) -> Header:
    tmp = tempfile.NamedTemporaryFile("w", suffix=".h", delete=False)
    tmp.write(textwrap.dedent(source))
    tmp.close()
    try:
        return Header(Path(tmp.name))
    finally:
        Path(tmp.name).unlink()


def public_names(source: str):
    return [(d.kind, d.owner, d.name) for d in scan(source).public_decls()]


class ScannerFindsPublicNames(unittest.TestCase):
    # (declaration inside namespace easel, expected [(kind, owner, name)])
    CASES = [
        ("bool drawLine(int x0, int y0, int x1, int y1, RgbColor colour);",
         [("function", "", "drawLine")]),
        ("[[noreturn]] void quitNow();", [("function", "", "quitNow")]),
        ("extern Uint8* keyState;", [("variable", "", "keyState")]),
        ("extern const unsigned char Font8x8[256][8];", [("variable", "", "Font8x8")]),
        ("constexpr int maxLength = 80;", [("variable", "", "maxLength")]),
        ("inline int wrapX(int x) {\n    if (x < 0) { return 0; }\n    return x;\n}",
         [("function", "", "wrapX")]),
        ("template <typename SpanFn>\nvoid forEachDiscRow(int cx, int cy, int r, SpanFn&& span) {\n"
         "    for (int i = 0; i < r; ++i) { span(i, 0, 0); }\n}",
         [("function", "", "forEachDiscRow")]),
        ("template <typename T, typename U = std::pair<int, int>>\nT pick(U u);",
         [("function", "", "pick")]),
        ("constexpr RgbColor operator+(RgbColor a, RgbColor b) { return a; }",
         [("function", "", "operator+")]),
        ("bool operator==(Vector3 a, Vector3 b);", [("function", "", "operator==")]),
        ("Vector3 operator-(Vector3 a);", [("function", "", "operator-")]),
        ("std::function<void(int)> callback;", [("variable", "", "callback")]),
        ("int drawText(const char* text, int x, int y, int fr, int fg, int fb,\n"
         "             bool background, int br, int bg, int bb, int minLength);",
         [("function", "", "drawText")]),
        ("using ToolId = int;", [("type", "", "ToolId")]),
        ("struct Rgb8Color;", []),
        ("static_assert(sizeof(int) == 4, \"int\");", []),
        ("namespace detail {\nint hidden();\n}", []),
        ("namespace discwalk {\ninline int rowAt(int r) { return r; }\n}", []),
        ("namespace detail::more {\nint hidden();\n}", []),
        ("struct Vector3 {\n    double x = 0;\n    Vector3() = default;\n"
         "    Vector3(double x0, double y0, double z0) : x(x0) {}\n"
         "    double length() const;\n    Vector3& operator+=(const Vector3& o);\n};",
         [("type", "", "Vector3"), ("variable", "Vector3", "x"), ("function", "Vector3", "Vector3"),
          ("function", "Vector3", "Vector3"), ("function", "Vector3", "length"),
          ("function", "Vector3", "operator+=")]),
        ("class Camera {\n  public:\n    void turn(double a);\n  private:\n    void refresh();\n"
         "    double angle_ = 0;\n  public:\n    double angle() const { return angle_; }\n};",
         [("type", "", "Camera"), ("function", "Camera", "turn"), ("function", "Camera", "angle")]),
        ("class Hidden {\n    int secret();\n};", [("type", "", "Hidden")]),
        ("enum class Key : int {\n    none = 0,\n    enter,\n};",
         [("type", "", "Key"), ("enumerator", "Key", "none"), ("enumerator", "Key", "enter")]),
        ("constexpr RgbColor::RgbColor(const Rgb8Color& c) : r(c.r) {}", []),
        ("bool draw(RgbColor c = {1, 2, 3});", [("function", "", "draw")]),
        ("const char* name = \"a; {b}\";", [("variable", "", "name")]),
        ("struct V {\n    double x = 0, y = 0, z = 0;\n    int m[3][3] = {}, n[2] = {1, 2};\n};",
         [("type", "", "V"), ("variable", "V", "x"), ("variable", "V", "y"), ("variable", "V", "z"),
          ("variable", "V", "m"), ("variable", "V", "n")]),
        ("struct V {\n    friend V operator*(double k, const V& v) { return v; }\n"
         "    friend class Camera;\n};",
         [("type", "", "V"), ("function", "V", "operator*"), ("friend", "V", "Camera")]),
        ("struct alignas(16) Block {\n    int a = 0;  // first\n};",
         [("type", "", "Block"), ("variable", "Block", "a")]),
        ("class Camera final {\n  public:\n    explicit operator bool() const;\n"
         "    Camera(const Camera&) = delete;\n};",
         [("type", "", "Camera"), ("function", "Camera", "operator bool"), ("function", "Camera", "Camera")]),
        ("namespace {\nint local();\n}", []),
        ("struct M {\n    M(double a, double b)\n        : m{a, b}, n(a) {}\n    void transpose();\n"
         "    int k{3};\n    void f() const {}\n};",
         [("type", "", "M"), ("function", "M", "M"), ("function", "M", "transpose"), ("variable", "M", "k"),
          ("function", "M", "f")]),
        ("extern \"C\" {\nint cfunc(void);\n}", [("function", "", "cfunc")]),
    ]

    def test_each_shape(self):
        for decl, expected in self.CASES:
            with self.subTest(decl=decl):
                self.assertEqual(public_names("namespace easel {\n" + decl + "\n}\n"), expected)

    def test_line_numbers_span_the_declaration(self):
        h = scan("// File.\n#pragma once\nnamespace easel {\n\n"
                 "int drawText(const char* t,\n             int x);\n}\n")
        (d,) = h.public_decls()
        self.assertEqual((d.first_line, d.last_line), (5, 6))


class CommentRule(unittest.TestCase):
    SOURCE = """\
        // Sample: the file's contract.
        #pragma once

        namespace easel {

        // Documented.
        int documented(int a);

        int bare(int a);

        // A record.
        struct Pair {
            // Both halves.
            int first = 0;
            int second = 0;

            // Makes one.
            Pair();
            Pair(const Pair&) = delete;
            int sum() const;
            int product() const;  // the halves multiplied
        };

        // The kinds.
        enum class Kind {
            // The first.
            one,
            two,  // the second
            three,
        };

        namespace detail {
        int helper();
        }

        namespace walk {
        int step();
        }  // namespace walk

        }  // namespace easel
        """

    def test_undocumented_names_are_found(self):
        missing = {(d.owner, d.name) for d in undocumented(scan(self.SOURCE))}
        self.assertEqual(missing, {("", "bare"), ("Pair", "sum"), ("Kind", "three")})

    def test_filter_makes_exactly_the_rule_s_comments_documentation(self):
        path = Path(tempfile.mkdtemp()) / "sample.h"
        path.write_text(textwrap.dedent(self.SOURCE))
        try:
            out = doxygen_filter.filter_header(path).split("\n")
        finally:
            shutil.rmtree(path.parent)
        src = textwrap.dedent(self.SOURCE).split("\n")
        self.assertEqual(len(out), len(src), "line numbers must not move")
        self.assertTrue(out[0].startswith("/// Sample") and out[0].endswith("\\file"))
        self.assertEqual(out[5], "/// Documented.")
        self.assertEqual(out[8], "int bare(int a);")
        self.assertIn("/** Both halves. */ int second = 0;", out[14])
        self.assertEqual(out[19], "    int sum() const;", "an operation never borrows a comment")
        self.assertTrue(out[20].endswith("///< the halves multiplied"))
        self.assertTrue(out[27].endswith("///< the second"))
        self.assertEqual(out[32], "int helper();")

    def test_each_name_of_a_multiple_declaration_gets_the_comment(self):
        path = Path(tempfile.mkdtemp()) / "multi.h"
        path.write_text("// File.\n#pragma once\nnamespace easel {\n// A record.\nstruct P {\n"
                        "    // Coordinates.\n    double x = 0, y = 0;\n"
                        "    int a, b;  // the halves\n};\n}\n")
        try:
            out = doxygen_filter.filter_header(path).split("\n")
        finally:
            shutil.rmtree(path.parent)
        self.assertEqual(out[6], "    double x = 0; /** Coordinates. */ double y = 0;")
        self.assertEqual(out[7], "    /** the halves */ int a; /** the halves */ int b;  // the halves")

    def test_every_public_header_of_the_library_filters_cleanly(self):
        self.assertEqual(doxygen_filter.check(ROOT), 0)

    def test_escapes_keep_comment_text_plain(self):
        esc = doxygen_filter.Plain()
        self.assertEqual(esc(r"a <b> & #c @d \n %e"), r"a \<b\> \& \#c \@d \\n \%e")
        self.assertEqual(esc('prints "Unable: %s\\n" and <x>'), 'prints "Unable: %s\\n" and \\<x\\>')
        esc = doxygen_filter.Plain()
        self.assertEqual(esc('starts "a <quote'), 'starts "a <quote')
        self.assertEqual(esc('ends" <x>'), 'ends" \\<x\\>')

    @unittest.skipUnless(shutil.which("doxygen"), "doxygen is not installed")
    def test_doxygen_fails_on_exactly_the_undocumented_operations(self):
        work = Path(tempfile.mkdtemp())
        try:
            (work / "sample.h").write_text(textwrap.dedent(self.SOURCE))
            doxyfile = ROOT / "docs" / "Doxyfile.in"
            text = doxyfile.read_text()
            values = {
                "EASEL_DOCS_OUTPUT": str(work / "out"), "EASEL_DOCS_SOURCE": str(work),
                "PROJECT_VERSION": "0", "EASEL_DOCS_INPUT": str(work / "sample.h"),
                "EASEL_DOCS_MAINPAGE": "",
                "EASEL_DOCS_FILTER": f"{sys.executable} {ROOT / 'scripts' / 'doxygen_filter.py'}",
            }
            for key, value in values.items():
                text = text.replace(f"@{key}@", value)
            (work / "Doxyfile").write_text(text)
            run = subprocess.run(["doxygen", str(work / "Doxyfile")], cwd=work,
                                 capture_output=True, text=True)
            self.assertNotEqual(run.returncode, 0, "an undocumented name must fail the build")
            warnings = [l for l in run.stderr.splitlines() if "not documented" in l]
            self.assertEqual(len(warnings), 2, run.stderr)
            self.assertTrue(any("bare(int a)" in w for w in warnings), run.stderr)
            self.assertTrue(any("sum() const" in w for w in warnings), run.stderr)
            # The comment check finds the same lines (and the enumerator,
            # which Doxygen lets pass).
            doxygen_lines = {int(re.search(r"sample\.h:(\d+):", w).group(1)) for w in warnings}
            ours = {d.first_line for d in undocumented(scan(self.SOURCE)) if d.kind != "enumerator"}
            self.assertEqual(doxygen_lines, ours, run.stderr)
        finally:
            shutil.rmtree(work)


class CheatsheetCheck(unittest.TestCase):
    HEADER = """\
        // Shapes: the contract.
        #pragma once
        namespace easel {
        // A disc.
        bool drawDisc(int xc, int yc, int radius, RgbColor colour);
        // Sum.
        RgbColor operator+(RgbColor a, RgbColor b);
        // A global.
        extern int counter;
        }
        """

    def tree(self, sheet: str) -> Path:
        root = Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, root)
        (root / "raster").mkdir()
        (root / "raster" / "shapes.h").write_text(textwrap.dedent(self.HEADER))
        (root / "docs").mkdir()
        (root / "docs" / "cheatsheet.md").write_text(textwrap.dedent(sheet))
        return root

    def test_complete_section_passes(self):
        root = self.tree("""\
            ### easel/raster/shapes.h
            | `bool drawDisc(int xc, int yc, int radius, RgbColor colour)` | disc |
            | `RgbColor operator+(RgbColor a, RgbColor b)` | sum |
            | `extern int counter` | count |
            """)
        self.assertEqual(check_docs.check_cheatsheet(root), [])

    def test_missing_and_stale_names_are_listed(self):
        root = self.tree("""\
            ### easel/raster/shapes.h
            | `bool drawCircle(int xc, int yc, int radius, RgbColor colour)` | gone |
            | `extern int counter` | count |
            ### easel/raster/clip.h
            """)
        problems = "\n".join(check_docs.check_cheatsheet(root))
        self.assertIn("drawDisc (raster/shapes.h:5) is missing", problems)
        self.assertIn("operator+ (raster/shapes.h:7) is missing", problems)
        self.assertIn("shows drawCircle(...)", problems)
        self.assertIn("'### easel/raster/clip.h' names no public header", problems)

    def test_a_name_under_another_header_does_not_count(self):
        root = self.tree("""\
            ### easel/raster/shapes.h
            | `extern int counter` | count |
            ## elsewhere
            `drawDisc(...)`, `operator+`
            """)
        problems = check_docs.check_cheatsheet(root)
        self.assertEqual(len(problems), 2, problems)

    def test_a_header_without_a_section_is_listed(self):
        root = self.tree("# nothing yet\n")
        (problem,) = check_docs.check_cheatsheet(root)
        self.assertIn("no '### easel/raster/shapes.h' section", problem)
        self.assertIn("counter, drawDisc, operator+", problem)


class ReadmeCheck(unittest.TestCase):
    HELLO = "int main() { return 0; }\n"

    def tree(self, gallery: str, images=("hello.png", "shapes.png")) -> Path:
        root = Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, root)
        for name in ("hello", "shapes"):
            (root / "examples" / name).mkdir(parents=True)
            (root / "examples" / name / "main.cpp").write_text(self.HELLO)
        (root / "docs" / "images").mkdir(parents=True)
        for image in images:
            (root / "docs" / "images" / image).write_bytes(b"")
        readme = "## Getting started\n\n```cpp\n" + self.HELLO + "```\n\n" + textwrap.dedent(gallery)
        (root / "README.md").write_text(readme)
        return root

    COMPLETE = """\
        ## Examples
        ### hello
        ![hello](docs/images/hello.png)
        ./build/release/examples/example_hello
        ### shapes
        ![shapes](docs/images/shapes.png)
        ./build/release/examples/example_shapes
        ## Tests
        """

    def test_complete_gallery_passes(self):
        self.assertEqual(check_docs.check_readme(self.tree(self.COMPLETE)), [])

    def test_each_gap_is_listed(self):
        # (what the README or the tree lacks, the problem reported)
        cases = [
            (self.COMPLETE.replace("### shapes", "### squares"), "no '### shapes' subsection"),
            (self.COMPLETE.replace("(docs/images/shapes.png)", "(docs/images/hello.png)"),
             "'### shapes' does not show docs/images/shapes.png"),
            (self.COMPLETE.replace("example_hello", "hello"),
             "'### hello' does not give the command for example_hello"),
            (self.COMPLETE.replace("## Examples", "## Programs"), "no '## Examples' section"),
        ]
        for gallery, expected in cases:
            with self.subTest(expected=expected):
                problems = check_docs.check_readme(self.tree(gallery))
                self.assertEqual(len(problems), 1, problems)
                self.assertIn(expected, problems[0])

    def test_a_missing_picture_is_listed(self):
        problems = check_docs.check_readme(self.tree(self.COMPLETE, images=("hello.png",)))
        self.assertEqual(problems, ["README.md: the picture docs/images/shapes.png does not exist"])

    def test_a_picture_under_a_later_section_belongs_to_no_example(self):
        gallery = self.COMPLETE.replace("![shapes](docs/images/shapes.png)\n", "") + \
            "![shapes](docs/images/shapes.png)\n"
        problems = check_docs.check_readme(self.tree(gallery))
        self.assertEqual(len(problems), 1, problems)
        self.assertIn("'### shapes' does not show", problems[0])


if __name__ == "__main__":
    unittest.main()
