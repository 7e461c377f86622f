#!/usr/bin/env python3
"""Runs the main-loop pass benchmark in a private Xvfb and prints its result.

Usage: scripts/pass_bench.py PASS_BENCH_BINARY [PASSES [ROUNDS]]

The program opens the real window, with the icons' folder (assets/) as its
working directory, and measures present-only passes against real passes of
the paint program's loop (see bench/pass_bench_main.cpp). The X server and
the window are started through the end-to-end harness (tests/e2e/harness.py).
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))

import harness  # noqa: E402


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    binary = os.path.abspath(sys.argv[1])
    env = {"SDL_VIDEODRIVER": "x11"}
    if len(sys.argv) > 2:
        env["PASS_BENCH_PASSES"] = sys.argv[2]
    if len(sys.argv) > 3:
        env["PASS_BENCH_ROUNDS"] = sys.argv[3]
    assets = os.path.join(HERE, "..", "assets")
    with harness.Session() as x:
        program = x.start(binary, cwd=assets, env=env)
        status = program.wait(timeout=900)
        sys.stdout.write(program.stdout)
        sys.stderr.write(program.stderr)
        if status != 0:
            sys.exit("pass_bench ended with status %d" % status)


if __name__ == "__main__":
    main()
