#!/usr/bin/env python3
"""Writes page files (.fum) in code page 932, as Varnel itself saves them.

    build_pages.py [--out DIR] [MODULE ...]  pages by module (default: all)
    build_pages.py --selftest                checks the writer on known cases

A page file is "Fum[name]", the page text in "~" lines, the data in "^"
lines and "End[name]", every line ended by CR LF and no longer than
MAX_CHAR bytes. The data is ProtectFlag|StaffCount|StaffWidth| followed by
Content|X|Y| for every input; the text has its line breaks as "|".
"""

import argparse
import importlib
import os
import sys

MAX_CHAR = 79
SINGLE, LEAD, TRAIL = 0, 1, 2


def is_lead(b):
    return 0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC


def classify(data):
    """The kind of every byte, walking from the first one."""
    kinds = []
    state = SINGLE
    for b in data:
        if state == LEAD:
            state = TRAIL
        else:
            state = LEAD if is_lead(b) else SINGLE
        kinds.append(state)
    return kinds


def wrap_payload(payload, max_char=MAX_CHAR):
    """Cuts a payload into pieces of L-2 bytes, or L-1 bytes when that
    keeps a double-byte character whole."""
    pieces = []
    i = 0
    while i < len(payload):
        window = payload[i:i + max_char - 1]
        take = max_char - 2
        if len(window) == max_char - 1:
            kinds = classify(window)
            if kinds[max_char - 3] == LEAD and kinds[max_char - 2] == TRAIL:
                take = max_char - 1
        pieces.append(payload[i:i + take])
        i += take
    return pieces


def internal_name(file_name, max_char=MAX_CHAR):
    name = os.path.splitext(os.path.basename(file_name))[0].encode("cp932")
    if len(name) > max_char - 5:
        keep = max_char - 6
        if classify(name)[keep - 1] == LEAD:
            keep += 1
        name = name[:keep]
    return name


def encode(text, what):
    data = text.encode("cp932")
    if b"|" in bytes(b for b, k in zip(data, classify(data)) if k == SINGLE):
        raise ValueError(f"{what} holds a '|': {text!r}")
    return data


def page_bytes(file_name, text, staff_count, staff_width, inputs,
               protect=1, max_char=MAX_CHAR):
    """The bytes of a page file. `inputs` are (content, x, y) triples."""
    name = internal_name(file_name, max_char)
    lines = [b"Fum[" + name + b"]"]
    text_payload = b"|".join(encode(line, "page text")
                             for line in text.split("\n"))
    if text:
        lines += [b"~" + p for p in wrap_payload(text_payload, max_char)]
    fields = [str(protect), str(staff_count), str(staff_width)]
    for content, x, y in inputs:
        if content.startswith("`"):
            index = int(content[1:])
            if not 0 <= index <= 40 or content != f"`{index}":
                raise ValueError(f"bad glyph {content!r}")
        fields += [content, str(int(x)), str(int(y))]
    data = b"".join(encode(f, "input") + b"|" for f in fields)
    lines += [b"^" + p for p in wrap_payload(data, max_char)]
    lines.append(b"End[" + name + b"]")
    return b"".join(line + b"\r\n" for line in lines)


def load_page(module_name):
    """A page module of pages/: its build() gives a notation.Page."""
    return importlib.import_module("pages." + module_name).build()


def write_page(page, data_dir):
    path = os.path.join(data_dir, *page.path.split("\\")) + ".fum"
    os.makedirs(os.path.dirname(path), exist_ok=True)
    data = page_bytes(path, page.text, page.staff_count, page.width,
                      page.inputs)
    with open(path, "wb") as f:
        f.write(data)
    return path


def selftest():
    inputs = [("`32", 40, 70), ("Allegro", 100, 20)]
    assert page_bytes("test.fum", "Hello\nWorld", 4, 610, inputs) == (
        b"Fum[test]\r\n~Hello|World\r\n"
        b"^1|4|610|`32|40|70|Allegro|100|20|\r\nEnd[test]\r\n")
    assert page_bytes("test.fum", "Hello\nWorld", 4, 610, inputs, 1, 10) \
        == b"".join(s + b"\r\n" for s in [
            b"Fum[test]", b"~Hello|Wo", b"~rld", b"^1|4|610|", b"^`32|40|7",
            b"^0|Allegr", b"^o|100|20", b"^|", b"End[test]"])
    kana = "aあいうえお".encode("cp932")
    assert wrap_payload(kana, 10) == [kana[:9], kana[9:]]
    assert internal_name("aあいう.fum", 10) == "aあい".encode("cp932")
    assert internal_name("abあいう.fum", 10) == "abあ".encode("cp932")
    assert page_bytes("e.fum", "", 4, 610, []) == \
        b"Fum[e]\r\n^1|4|610|\r\nEnd[e]\r\n"
    # "ポ" has the trail byte 0x7C: it is no field separator
    po = "ポ".encode("cp932")
    assert page_bytes("p.fum", "ポ", 1, 60, [("ポ", 1, 2)]) == \
        b"Fum[p]\r\n~" + po + b"\r\n^1|1|60|" + po + b"|1|2|\r\nEnd[p]\r\n"
    print("build_pages: selftest passed")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    sys.path.insert(0, here)
    import course
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--out", default=os.path.join(here, "..", "..", "Data"))
    p.add_argument("--selftest", action="store_true")
    p.add_argument("pages", nargs="*")
    a = p.parse_args(argv)
    if a.selftest:
        selftest()
        return
    for module_name in a.pages or course.PAGE_MODULES:
        print(write_page(load_page(module_name), a.out))


if __name__ == "__main__":
    main(sys.argv[1:])
