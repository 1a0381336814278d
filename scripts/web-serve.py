#!/usr/bin/env python3
"""Serves a folder as a static host does, with the pre-compressed copies beside the files, and
lists no folder.

Usage: web-serve.py FOLDER [PORT] [--cache]; port 0 (the default) takes a free one. Every
answer says "no-store", so that every load in a test is a first one; --cache answers as a static
host does instead: browsers may keep a file ten minutes, and ask again with If-Modified-Since,
which a file unchanged since answers with 304. Prints the address when ready; exits 2 with a
German usage message on bad arguments.
"""

import datetime
import email.utils
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


USAGE = ("Aufruf: web-serve.py ORDNER [PORT] [--cache]  (PORT 0 bis 65535; 0 nimmt einen freien;"
         " --cache: Kopfzeilen zum Zwischenspeichern wie ein gewöhnlicher Webserver)")


def accepted_codings(header):
    """The codings an Accept-Encoding header accepts; "q=0" refuses one, "*" stands for others."""
    weights = {}
    for part in header.split(","):
        coding, *parameters = (piece.strip() for piece in part.split(";"))
        weight = 1.0
        for parameter in parameters:
            name, _, value = parameter.partition("=")
            if name.strip().lower() == "q":
                try:
                    weight = float(value)
                except ValueError:
                    weight = 0.0
        if coding:
            weights[coding.lower()] = weight
    wildcard = weights.get("*", 0.0) > 0
    return {coding for coding in ("br", "gzip")
            if weights.get(coding, 1.0 if wildcard else 0.0) > 0}


class Handler(http.server.SimpleHTTPRequestHandler):
    cache = False

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        accepted = accepted_codings(self.headers.get("Accept-Encoding", ""))
        for coding, suffix in (("br", ".br"), ("gzip", ".gz")):
            if coding in accepted and os.path.isfile(path + suffix):
                # The plain file's time: the compressed copies are made with it.
                changed = int(os.stat(path).st_mtime)
                if self.unchanged_since(changed):
                    self.send_response(304)
                    self.send_header("Vary", "Accept-Encoding")
                    self.end_headers()
                    return None
                body = open(path + suffix, "rb")
                self.send_response(200)
                self.send_header("Content-Type", self.guess_type(path))
                self.send_header("Content-Encoding", coding)
                self.send_header("Content-Length", str(os.fstat(body.fileno()).st_size))
                self.send_header("Vary", "Accept-Encoding")
                self.send_header("Last-Modified", self.date_time_string(changed))
                self.end_headers()
                return body
        return super().send_head()

    # As the plain files are answered.
    def unchanged_since(self, changed):
        asked = self.headers.get("If-Modified-Since")
        if not asked or "If-None-Match" in self.headers:
            return False
        try:
            since = email.utils.parsedate_to_datetime(asked)
        except (TypeError, IndexError, OverflowError, ValueError):
            return False
        return changed <= since.replace(tzinfo=since.tzinfo or datetime.timezone.utc).timestamp()

    # A folder without its index.html is no page of the game.
    def list_directory(self, path):
        self.send_error(404)
        return None

    def guess_type(self, path):
        return TYPES.get(os.path.splitext(path)[1], "application/octet-stream")

    def end_headers(self):
        self.send_header("Cache-Control", "max-age=600" if self.cache else "no-store")
        super().end_headers()

    def log_message(self, *args):
        pass


def arguments(argv):
    """The folder, port and whether to let browsers cache, or None when they are no such thing."""
    cache = argv[-1] == "--cache"
    if cache:
        argv = argv[:-1]
    if len(argv) not in (2, 3) or not os.path.isdir(argv[1]):
        return None
    port = argv[2] if len(argv) == 3 else "0"
    if not port.isdigit() or int(port) > 65535:
        return None
    return argv[1], int(port), cache


def main():
    parsed = arguments(sys.argv)
    if parsed is None:
        print(USAGE, file=sys.stderr)
        sys.exit(2)
    folder, port, cache = parsed
    Handler.cache = cache
    handler = lambda *a, **k: Handler(*a, directory=folder, **k)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
        server.serve_forever()


if __name__ == "__main__":
    main()
