#!/usr/bin/env python3
"""scripts/web-serve.py: what it answers, and what it says to bad arguments."""

import http.client
import os
import subprocess
import sys
import tempfile
import unittest

SERVE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../scripts/web-serve.py")


class ServeTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        for name, body in (("index.html", b"plain"), ("index.html.br", b"br"),
                           ("index.html.gz", b"gz")):
            with open(os.path.join(cls.folder.name, name), "wb") as file:
                file.write(body)
        os.mkdir(os.path.join(cls.folder.name, "leer"))
        cls.server = subprocess.Popen([sys.executable, SERVE, cls.folder.name],
                                      stdout=subprocess.PIPE, text=True)
        cls.port = int(cls.server.stdout.readline().strip().rstrip("/").rsplit(":", 1)[1])

    @classmethod
    def tearDownClass(cls):
        cls.server.terminate()
        cls.server.wait()
        cls.folder.cleanup()

    def get(self, path, encodings=None):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        connection.request("GET", path, headers={"Accept-Encoding": encodings} if encodings else {})
        response = connection.getresponse()
        answer = response.status, response.getheader("Content-Encoding"), response.read()
        connection.close()
        return answer

    def test_codings_weighed(self):
        rows = [(None, None, b"plain"), ("gzip, br", "br", b"br"), ("br;q=0, gzip", "gzip", b"gz"),
                ("br;q=0, gzip;q=0.0", None, b"plain"), ("*", "br", b"br"),
                ("*;q=0, gzip", "gzip", b"gz"), ("brotli", None, b"plain")]
        for encodings, coding, body in rows:
            with self.subTest(encodings=encodings):
                self.assertEqual(self.get("/", encodings), (200, coding, body))

    def test_folder_without_index_is_not_listed(self):
        status, _, body = self.get("/leer/")
        self.assertEqual(status, 404)
        self.assertNotIn(b"Directory listing", body)

    def test_bad_arguments(self):
        missing = os.path.join(self.folder.name, "fehlt")
        for arguments in ([], [missing], [self.folder.name, "x"], [self.folder.name, "70000"],
                          [self.folder.name, "0", "zu viel"]):
            with self.subTest(arguments=arguments):
                run = subprocess.run([sys.executable, SERVE, *arguments], capture_output=True,
                                     text=True, timeout=10)
                self.assertEqual(run.returncode, 2)
                self.assertTrue(run.stderr.startswith("Aufruf: web-serve.py ORDNER [PORT]"))


if __name__ == "__main__":
    unittest.main()
