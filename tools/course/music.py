"""The note language shared by the page layouts and the MIDI writer.

A voice is written bar by bar, bars separated by "|", events by ",":

    "4/4 | C4 q, D4 q, E4 h | F#4 q. ファ, G4 e, r h"

An event is one of
  - a note: pitch and length, then optional words;
  - a rest: "r" and a length, then optional words;
  - a time signature such as "3/4" (written where it stands);
  - "breath": a breath mark after the previous note.

Pitch: a letter C D E F G A B, an optional written accidental ("#" sharp,
"b" flat, "n" natural, "x" double sharp), an octave (C4 is middle C).
Length: w h q e s (whole to sixteenth), with a trailing "." for a dot
and a trailing "~" to tie the note to the next one ("h~", "q.~").
Words after the length: "~" ties too, "^" puts a
fermata over it, "up" / "down" force the stem, anything else is a label
printed under the staff (a syllable such as ド).

What is written is what sounds: a written accidental lasts to the end of
its bar, as in print, and a tied note continues the note before it.
"""

from dataclasses import dataclass, field

LETTERS = "CDEFGAB"
SEMITONE = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
ACCIDENTALS = {"#": 1, "b": -1, "n": 0, "x": 2}
TICKS = {"w": 1920, "h": 960, "q": 480, "e": 240, "s": 120}  # 480 a quarter


@dataclass
class Event:
    kind: str  # "note", "rest", "time", "breath"
    letter: str = ""
    octave: int = 0
    accidental: str = ""  # as written: "", "#", "b", "n", "x"
    length: str = ""  # w h q e s
    dotted: bool = False
    tie: bool = False
    fermata: bool = False
    stem: str = ""  # "", "up", "down"
    label: str = ""
    time: tuple = ()  # (beats, unit) for a time signature
    bar: int = 0  # index of the bar within its voice
    midi: int = 0  # sounding key, filled in by resolve()

    @property
    def ticks(self):
        t = TICKS[self.length]
        return t * 3 // 2 if self.dotted else t

    @property
    def diatonic(self):
        """Steps from C0: one per line or space of the staff."""
        return self.octave * 7 + LETTERS.index(self.letter)


def parse_pitch(word):
    letter = word[0].upper()
    if letter not in LETTERS:
        raise ValueError(f"bad pitch {word!r}")
    rest = word[1:]
    accidental = ""
    if rest and rest[0] in ACCIDENTALS:
        accidental, rest = rest[0], rest[1:]
    if not rest.isdigit():
        raise ValueError(f"bad octave in {word!r}")
    return letter, accidental, int(rest)


def parse_event(text, bar):
    words = text.split()
    head = words[0]
    if head == "breath":
        return Event("breath", bar=bar)
    if "/" in head:
        beats, unit = head.split("/")
        return Event("time", time=(int(beats), int(unit)), bar=bar)
    if len(words) < 2:
        raise ValueError(f"event without a length: {text!r}")
    length = words[1]
    tie = length.endswith("~")
    length = length.rstrip("~")
    dotted = length.endswith(".")
    length = length.rstrip(".")
    if length not in TICKS:
        raise ValueError(f"bad length in {text!r}")
    ev = Event("rest" if head == "r" else "note", length=length,
               dotted=dotted, tie=tie, bar=bar)
    if ev.kind == "note":
        ev.letter, ev.accidental, ev.octave = parse_pitch(head)
    labels = []
    for w in words[2:]:
        if w == "~":
            ev.tie = True
        elif w == "^":
            ev.fermata = True
        elif w in ("up", "down"):
            ev.stem = w
        else:
            labels.append(w)
    ev.label = " ".join(labels)
    return ev


def parse(voice):
    """Parses a voice into a list of events, each knowing its bar."""
    events = []
    bar = 0
    for bar_text in voice.split("|"):
        pieces = [p.strip() for p in bar_text.split(",") if p.strip()]
        if not pieces:
            continue
        if all(parse_event(p, bar).kind == "time" for p in pieces):
            events += [parse_event(p, bar) for p in pieces]
            continue
        events += [parse_event(p, bar) for p in pieces]
        bar += 1
    resolve(events)
    return events


def resolve(events):
    """Works out the sounding key of every note, as a player reads it."""
    in_force = {}  # (letter, octave) -> alteration, for the current bar
    bar = None
    previous = None
    for ev in events:
        if ev.kind != "note":
            continue
        if ev.bar != bar:
            bar, in_force = ev.bar, {}
        key = (ev.letter, ev.octave)
        if ev.accidental:
            in_force[key] = ACCIDENTALS[ev.accidental]
        elif previous is not None and previous.tie:
            # a tie carries the altered note over the barline
            in_force.setdefault(key, previous.midi - natural_key(ev))
        ev.midi = natural_key(ev) + in_force.get(key, 0)
        previous = ev


def natural_key(ev):
    return 12 * (ev.octave + 1) + SEMITONE[ev.letter]
