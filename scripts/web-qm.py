#!/usr/bin/env python3
"""Cuts a Qt translation file (.qm) down to some of its contexts.

    web-qm.py IN.qm OUT.qm [CONTEXT...]  # keeps these contexts' messages (the game's if none)
    web-qm.py IN.qm                      # lists each context with its messages' bytes

The browser downloads every byte the program carries, and the game can show only a few of
the toolkit's texts. The file's optional table of contexts is left out: the toolkit then looks
a text up by its hash alone, which finds the same messages.
"""

import struct
import sys

MAGIC = bytes([0x3C, 0xB8, 0x64, 0x18, 0xCA, 0xEF, 0x9C, 0x95,
               0xCD, 0x21, 0x1C, 0xBF, 0x60, 0xA1, 0xBD, 0xDD])
CONTEXTS, HASHES, MESSAGES = 0x2F, 0x42, 0x69
# What the game can show of the toolkit's: a text box's context menu with its keys, the layout
# direction, the names of actions.
GAME = ("QLineEdit", "QShortcut", "QGuiApplication", "QApplication", "QWidget",
        "QAccessibleActionInterface")
END, TRANSLATION, OBSOLETE1, SOURCE, CONTEXT, COMMENT = 1, 3, 5, 6, 7, 8


def blocks(data):
    if data[:16] != MAGIC:
        raise ValueError("no Qt translation file")
    at = 16
    while at + 5 <= len(data):
        tag, length = struct.unpack_from(">BI", data, at)
        if not tag or not length or at + 5 + length > len(data):
            break
        yield tag, data[at + 5:at + 5 + length]
        at += 5 + length


def message(messages, start):
    """The message's bytes from start through its end tag, and its context (None if unnamed)."""
    at, context = start, None
    while True:
        tag = messages[at]
        at += 1
        if tag == END:
            return messages[start:at], context
        if tag == OBSOLETE1:
            at += 4
        elif tag in (TRANSLATION, SOURCE, CONTEXT, COMMENT):
            (length,) = struct.unpack_from(">I", messages, at)
            if tag == CONTEXT:
                context = messages[at + 4:at + 4 + length].decode("utf-8")
            at += 4 + length
        else:
            raise ValueError(f"unknown tag {tag} in message at {start}")


def read(path):
    found = dict(blocks(open(path, "rb").read()))
    return found, list(struct.iter_unpack(">II", found[HASHES]))


def cut(source, target, keep):
    found, hashes = read(source)
    kept, moved, seen = bytearray(), {}, set()
    table = bytearray()
    for value, offset in hashes:
        if offset not in moved:
            text, context = message(found[MESSAGES], offset)
            if context is not None and context not in keep:
                moved[offset] = None
                continue
            seen.add(context)
            moved[offset] = len(kept)
            kept += text
        if moved[offset] is not None:
            table += struct.pack(">II", value, moved[offset])
    missing = sorted(set(keep) - seen)
    if missing:
        sys.exit(f"{source}: no messages for {', '.join(missing)}")
    found.pop(CONTEXTS, None)
    found.update({HASHES: table, MESSAGES: kept})
    out = bytearray(MAGIC)
    for tag, body in found.items():
        out += struct.pack(">BI", tag, len(body)) + body
    open(target, "wb").write(out)


def list_contexts(source):
    found, hashes = read(source)
    sizes = {}
    for offset in sorted({offset for _, offset in hashes}):
        text, context = message(found[MESSAGES], offset)
        sizes[context] = sizes.get(context, 0) + len(text)
    for context, size in sorted(sizes.items(), key=lambda item: -item[1]):
        print(f"{size:8d}  {context}")


if __name__ == "__main__":
    if len(sys.argv) == 2:
        list_contexts(sys.argv[1])
    elif len(sys.argv) >= 3:
        cut(sys.argv[1], sys.argv[2], set(sys.argv[3:] or GAME))
    else:
        sys.exit(__doc__)
