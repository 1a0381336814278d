#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

"""Serves a folder as a static host does, with the pre-compressed copies beside the files.

Usage: web-serve.py FOLDER [PORT]; port 0 takes a free one. Prints the address when ready.
"""

import http.server
import os
import sys

TYPES = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".wasm": "application/wasm",
    ".svg": "image/svg+xml",
    ".png": "image/png",
    ".txt": "text/plain; charset=utf-8",
    ".webmanifest": "application/manifest+json",
}


class Handler(http.server.SimpleHTTPRequestHandler):
    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        accepted = self.headers.get("Accept-Encoding", "")
        for coding, suffix in (("br", ".br"), ("gzip", ".gz")):
            if coding in accepted and os.path.isfile(path + suffix):
                body = open(path + suffix, "rb")
                self.send_response(200)
                self.send_header("Content-Type", self.type_of(path))
                self.send_header("Content-Encoding", coding)
                self.send_header("Content-Length", str(os.fstat(body.fileno()).st_size))
                self.send_header("Vary", "Accept-Encoding")
                self.end_headers()
                return body
        return super().send_head()

    def type_of(self, path):
        return TYPES.get(os.path.splitext(path)[1], "application/octet-stream")

    def guess_type(self, path):
        return self.type_of(path)

    def end_headers(self):
        # Every load in a test or a benchmark is a first one.
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def log_message(self, *args):
        pass


def main():
    folder = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    handler = lambda *a, **k: Handler(*a, directory=folder, **k)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
        server.serve_forever()


if __name__ == "__main__":
    main()
