#!/usr/bin/env python3
"""Regenerates the bundled course in Data/ from the sources beside it.

    build_course.py            writes Data/Varnel.vrn, the pages, their
                               MIDI files and Data/Gmon.mid, and removes
                               any other file in Data/
    build_course.py --check    writes nothing; lists the files in Data/
                               that differ from what would be written and
                               those the sources no longer make

The output depends only on the sources: the same sources give the same
bytes, so the files in Data/ can be checked against them at any time.
"""

import argparse
import os
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import build_pages  # noqa: E402
import course  # noqa: E402
import make_midi  # noqa: E402

DATA = os.path.normpath(os.path.join(HERE, "..", "..", "Data"))


def require_utf8_file_names():
    # The pages are named in Japanese; on disk their names are UTF-8.
    if sys.getfilesystemencoding().lower().replace("-", "") != "utf8":
        sys.exit("build_course: file names must be UTF-8 here, not "
                 + sys.getfilesystemencoding())


def files_below(folder):
    """Every file below folder, relative to it."""
    found = []
    for root, _, names in os.walk(folder):
        found += [os.path.relpath(os.path.join(root, n), folder)
                  for n in names]
    return sorted(found)


def contents_bytes():
    lines = ["/" + course.TITLE, "\\" + course.NOTE] + course.CONTENTS
    return b"".join(line.encode("cp932") + b"\r\n" for line in lines)


def page_voices(page):
    """The page's music as MIDI voices: the staves one after another,
    unless the page has its own arrangement."""
    if all(isinstance(v, make_midi.Voice) for v in page.voices):
        return page.voices
    events = [ev for staff in page.voices for ev in staff]
    return [make_midi.Voice(events)]


def build(out):
    """Writes the whole course below `out`; returns the files written."""
    written = []

    def write(relative, data):
        path = os.path.join(out, *relative.split("\\"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        written.append(path)

    write("Varnel.vrn", contents_bytes())
    write("Gmon.mid", make_midi.gm_reset_file())
    for entry, module in zip(course.CONTENTS, course.PAGE_MODULES):
        page = build_pages.load_page(module)
        if page.path != entry.strip():
            raise ValueError(f"{module}: page path {page.path!r} is not "
                             f"the contents entry {entry.strip()!r}")
        write(page.path + ".fum", build_pages.page_bytes(
            page.path.split("\\")[-1] + ".fum", page.text, page.staff_count,
            page.width, page.inputs))
        if page.voices:
            write(page.path + ".mid", make_midi.midi_file(
                page_voices(page), page.tempo))
    return written


def remove_others(written):
    """Removes the files in Data/ that the sources no longer make, and
    folders left empty; returns the removed files."""
    keep = {os.path.relpath(p, DATA) for p in written}
    removed = [r for r in files_below(DATA) if r not in keep]
    for relative in removed:
        os.remove(os.path.join(DATA, relative))
    for root, _, _ in os.walk(DATA, topdown=False):
        if root != DATA and not os.listdir(root):
            os.rmdir(root)
    return removed


def check():
    with tempfile.TemporaryDirectory() as tmp:
        stale = []
        made = set()
        for path in build(tmp):
            relative = os.path.relpath(path, tmp)
            made.add(relative)
            target = os.path.join(DATA, relative)
            with open(path, "rb") as f:
                fresh = f.read()
            try:
                with open(target, "rb") as f:
                    same = f.read() == fresh
            except FileNotFoundError:
                same = False
            if not same:
                stale.append(relative)
    others = [r for r in files_below(DATA) if r not in made]
    for relative in stale:
        print("differs:", relative)
    for relative in others:
        print("not made by the sources:", relative)
    return 1 if stale or others else 0


def main(argv):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--check", action="store_true")
    a = p.parse_args(argv)
    require_utf8_file_names()
    if a.check:
        return check()
    written = build(DATA)
    for path in written:
        print(os.path.relpath(path, os.path.join(DATA, "..")))
    for relative in remove_others(written):
        print("removed", os.path.join("Data", relative))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
