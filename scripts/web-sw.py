#!/usr/bin/env python3
"""The service worker of a built site: web-sw.py FOLDER TEMPLATE writes TEMPLATE (platform/web/
sw.js) to standard output with every file of FOLDER a page of this build loads and the hash of
its content (as subresource integrity has it), and the build's name made from them. The word
list is not among them, it is the school's; nor are the compressed copies, which the server
sends in place of a file.
"""

import base64
import hashlib
import json
import os
import sys


def main():
    out, template = sys.argv[1], sys.argv[2]
    files = {}
    for name in sorted(os.listdir(out)):
        path = os.path.join(out, name)
        if (os.path.isfile(path) and name not in ("sw.js", "worte.txt")
                and not name.endswith((".gz", ".br"))):
            digest = hashlib.sha256(open(path, "rb").read()).digest()
            files[name] = "sha256-" + base64.b64encode(digest).decode()
    listed = json.dumps(files, sort_keys=True)
    build = hashlib.sha256(listed.encode()).hexdigest()[:16]
    text = open(template, encoding="utf-8").read()
    sys.stdout.write(text.replace("JSON.parse('@FILES@')", listed).replace("@BUILD@", build))


if __name__ == "__main__":
    main()
