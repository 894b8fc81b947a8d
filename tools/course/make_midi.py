#!/usr/bin/env python3
"""Writes standard MIDI files from the note language of music.py.

    make_midi.py OUT.mid "4/4 | C4 q, D4 q, E4 h" [--tempo 96] [--program 0]

Files are format 0 (one track, several channels when several voices play),
480 ticks per quarter note, with a tempo, the first time signature, a
program change per channel, note on/off pairs and the end of the track.
A fermata doubles the held note; a breath mark shortens the note before it.
"""

import argparse
import sys

import music

DIVISION = 480


def vlq(n):
    """A variable-length quantity, as delta times are written."""
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


class Voice:
    """One melodic line: its notes, channel, program and entry point."""

    def __init__(self, notes, channel=0, program=0, velocity=80,
                 start=0):
        self.events = music.parse(notes) if isinstance(notes, str) \
            else notes
        self.channel = channel
        self.program = program
        self.velocity = velocity
        self.start = start  # ticks before the voice enters


def sounding_notes(voice):
    """(start, length, key) of each sounding note; ties merged."""
    notes = []
    t = voice.start
    tied_from = None
    for ev in voice.events:
        if ev.kind == "breath":
            if notes:  # take a breath out of the note before it
                s, length, key = notes[-1]
                notes[-1] = (s, length - min(120, length // 4), key)
            continue
        if ev.kind not in ("note", "rest"):
            continue
        length = ev.ticks * (2 if ev.fermata else 1)
        if ev.kind == "note":
            if tied_from is not None:
                s, held, key = notes[tied_from]
                notes[tied_from] = (s, held + length, key)
            else:
                notes.append((t, length, ev.midi))
            tied_from = len(notes) - 1 if ev.tie else None
        t += length
    # a small gap keeps repeated notes apart
    return [(s, length - min(30, length // 8), key)
            for s, length, key in notes], t


def first_time_signature(voices):
    for v in voices:
        for ev in v.events:
            if ev.kind == "time":
                return ev.time
    return (4, 4)


def track_bytes(voices, tempo, name=""):
    timed = []  # (tick, order, bytes): note-offs sort before note-ons
    end = 0
    for v in voices:
        ch = v.channel
        notes, voice_end = sounding_notes(v)
        end = max(end, voice_end)
        for start, length, key in notes:
            timed.append((start, 1, bytes([0x90 | ch, key, v.velocity])))
            timed.append((start + length, 0, bytes([0x80 | ch, key, 0])))
    head = bytearray()
    if name:
        encoded = name.encode("cp932")
        head += b"\x00\xff\x03" + vlq(len(encoded)) + encoded
    us = round(60_000_000 / tempo)
    head += b"\x00\xff\x51\x03" + us.to_bytes(3, "big")
    beats, unit = first_time_signature(voices)
    head += b"\x00\xff\x58\x04" + bytes(
        [beats, unit.bit_length() - 1, 24, 8])
    for ch, program in sorted({(v.channel, v.program) for v in voices}):
        head += b"\x00" + bytes([0xC0 | ch, program])
        head += b"\x00" + bytes([0xB0 | ch, 7, 100])  # channel volume
    body = bytearray()
    now = 0
    for tick, _, data in sorted(timed, key=lambda e: (e[0], e[1])):
        body += vlq(tick - now) + data
        now = tick
    body += vlq(max(0, end - now) + DIVISION // 2) + b"\xff\x2f\x00"
    return bytes(head + body)


def smf(track):
    """A format 0 file around one track."""
    header = b"MThd" + (6).to_bytes(4, "big") + (0).to_bytes(2, "big") \
        + (1).to_bytes(2, "big") + DIVISION.to_bytes(2, "big")
    return header + b"MTrk" + len(track).to_bytes(4, "big") + track


def midi_file(voices, tempo=96, name=""):
    if isinstance(voices, (str, Voice)):
        voices = [voices]
    voices = [v if isinstance(v, Voice) else Voice(v) for v in voices]
    return smf(track_bytes(voices, tempo, name))


def gm_reset_file():
    """A file that sends only the General MIDI System On message."""
    sysex = bytes([0x7E, 0x7F, 0x09, 0x01, 0xF7])
    track = b"\x00\xff\x51\x03" + (500000).to_bytes(3, "big") \
        + b"\x00\xf0" + vlq(len(sysex)) + sysex \
        + vlq(DIVISION) + b"\xff\x2f\x00"
    return smf(track)


def main(argv):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("out")
    p.add_argument("notes", help="a voice in the note language")
    p.add_argument("--tempo", type=int, default=96)
    p.add_argument("--program", type=int, default=0)
    a = p.parse_args(argv)
    data = midi_file(Voice(a.notes, program=a.program), a.tempo)
    with open(a.out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv[1:])
