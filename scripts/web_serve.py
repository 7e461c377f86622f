#!/usr/bin/env python3
"""Serves the web build's pages on 127.0.0.1 and prints the address.

Usage: web_serve.py SITE_DIR [PORT]   (PORT 0 takes any free port)

Only this machine can reach it. .wasm files go out as application/wasm, so
that browsers compile them while they download. Ends on Ctrl+C.
"""
import functools
import http.server
import sys


class Pages(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def end_headers(self):
        # Always the pages just built, never a stale copy from the cache.
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def log_message(self, format, *args):
        pass


def main():
    site = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8026
    handler = functools.partial(Pages, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    print(f"easel pages at http://127.0.0.1:{server.server_address[1]}/  (Ctrl+C ends)", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
