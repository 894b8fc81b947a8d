"""Placing music on Varnel's staff paper.

A page is a list of inputs: a glyph ("`" + index) or a text, at a point in
canvas pixels. The staff paper fixes where things go:

  - staff k (from 0) has its five lines at y = 32 + 64k + 8j, j = 0..4
    from the top, running from x = 20 to x = width - 21;
  - a glyph is centred on its point; a stemmed note's head lies 8 pixels
    below the point when the stem is up and 8 above when it is down; the
    whole note, the black head and the ledger line are centred on it;
  - glyphs stand on multiples of 4 in y, as the mouse would place them;
  - a text is 12 pixels high, its top-left corner at the point.

Positions on a staff are counted in steps (a line or a space, 4 pixels)
up from the bottom line: step 0 is the bottom line, 4 the middle line,
8 the top line, -2 the first ledger line below.
"""

import music

# glyph indices
DIGIT = 0
WHOLE, BLACK_HEAD = 10, 11
STEM_UP = {"h": 12, "q": 14, "e": 16, "s": 18}  # stem down is one more
REST = {"w": 20, "h": 20, "q": 21, "e": 22, "s": 23}
DOT, LEDGER = 24, 25
SHORT_TIE_BELOW, SHORT_TIE_ABOVE = 26, 27
LONG_TIE_BELOW, LONG_TIE_ABOVE = 28, 29
BARLINE, FINAL_BARLINE = 30, 31
CLEF_GLYPH = {"treble": 32, "bass": 33, "alto": 34, "tenor": 34}
ACCIDENTAL = {"n": 35, "b": 36, "#": 37, "x": 38}
FERMATA, BREATH = 39, 40

# the note on each clef's bottom line, as steps from C0 (C4 = 28)
CLEF_BOTTOM = {"treble": 30, "bass": 18, "alto": 24, "tenor": 22}
# the line a clef is centred on, in steps from the bottom line
CLEF_LINE = {"treble": 4, "bass": 4, "alto": 4, "tenor": 6}

LINE_START = 20
TIE_SPAN = 36  # the widest gap between heads that one tie glyph bridges
CLEF_X = 33
WEIGHT = {"w": 3.2, "h": 2.3, "q": 1.6, "e": 1.25, "s": 1.0}


def top(staff):
    return 32 + 64 * staff


def middle(staff):
    return top(staff) + 16


def bottom(staff):
    return top(staff) + 32


def step_y(staff, step):
    return bottom(staff) - 4 * step


def text_width(text):
    """Width of a text in the page face: 12 pixels for a double-byte
    character, 6 for a single-byte one."""
    return sum(12 if len(c.encode("cp932")) == 2 else 6 for c in text)


def pitch_step(ev, clef):
    return ev.diatonic - CLEF_BOTTOM[clef]


class Page:
    """A page under construction: header values, text and inputs."""

    def __init__(self, path, staff_count, text, width=610, tempo=96):
        self.path = path  # relative to Data, "\" between folders
        self.staff_count = staff_count
        self.width = width
        self.text = text.strip("\n")
        self.inputs = []
        self.voices = []  # music to play, each a list of events
        self.tempo = tempo

    @property
    def line_end(self):
        return self.width - 21

    # --- single inputs -------------------------------------------------
    def glyph(self, index, x, y):
        if y % 4:
            raise ValueError(f"glyph {index} at y {y}: not on the grid")
        self.inputs.append((f"`{index}", round(x), y))

    def text_at(self, text, x, y):
        if text.startswith("`") or "|" in text:
            raise ValueError(f"text {text!r} would not read back")
        self.inputs.append((text, round(x), round(y)))

    def label(self, text, x, y):
        """A text centred on x."""
        self.text_at(text, x - text_width(text) // 2, y)

    def clef(self, staff, kind="treble", x=CLEF_X):
        self.glyph(CLEF_GLYPH[kind], x, step_y(staff, CLEF_LINE[kind]))

    def time(self, staff, x, beats, unit):
        for number, y in ((beats, top(staff) + 8), (unit, top(staff) + 24)):
            digits = str(number)
            for i, d in enumerate(digits):
                self.glyph(DIGIT + int(d), x + 10 * i - 5 * (len(digits) - 1),
                           y)

    def barline(self, staff, x):
        self.glyph(BARLINE, x, middle(staff))

    def final_barline(self, staff, x):
        """The thin and thick pair, its thick line ending at x."""
        self.glyph(FINAL_BARLINE, x - 1, middle(staff))

    def ledgers(self, staff, step, x):
        if step <= -2:
            for s in range(-2, step - 1, -2):
                self.glyph(LEDGER, x, step_y(staff, s))
        elif step >= 10:
            for s in range(10, step + 1, 2):
                self.glyph(LEDGER, x, step_y(staff, s))

    def note(self, staff, x, text, clef="treble"):
        """One note from the note language ("F#4 q."), at x."""
        return self.place(staff, music.parse_event(text, 0), x, clef)

    def rest(self, staff, x, text):
        return self.place(staff, music.parse_event("r " + text, 0), x)

    def place(self, staff, ev, x, clef="treble"):
        """Draws a note or rest; returns where its head is and which way
        its stem points."""
        if ev.kind == "rest":
            return self.place_rest(staff, ev, x)
        step = pitch_step(ev, clef)
        head = step_y(staff, step)
        self.ledgers(staff, step, x)
        if ev.accidental:
            self.glyph(ACCIDENTAL[ev.accidental],
                       x - (11 if ev.accidental == "x" else 12), head)
        up = ev.stem == "up" or (ev.stem != "down" and step < 4)
        if ev.length == "w":
            self.glyph(WHOLE, x, head)
            up = step < 4  # a tie goes where the stem would not
            top_ink = head - 4
        elif up:
            self.glyph(STEM_UP[ev.length], x, head - 8)
            top_ink = head - 21
        else:
            self.glyph(STEM_UP[ev.length] + 1, x, head + 8)
            top_ink = head - 4
        if ev.dotted:
            self.glyph(DOT, x + 8, head if step % 2 else head - 4)
        if ev.fermata:
            self.fermata(staff, x, top_ink)
        return Placed(ev, x, head, up)

    def place_rest(self, staff, ev, x):
        if ev.length == "w":
            y = top(staff) + 12  # hangs from the fourth line
        else:
            y = middle(staff)  # the half rest sits on the middle line
        self.glyph(REST[ev.length], x, y)
        if ev.dotted:
            self.glyph(DOT, x + 8, top(staff) + 12)
        if ev.fermata:
            self.fermata(staff, x, top(staff))
        return Placed(ev, x, y, True)

    def fermata(self, staff, x, top_ink):
        y = min(top(staff) - 8, top_ink - 8)
        self.glyph(FERMATA, x, y - y % 4)

    def tie(self, a, b):
        """A tie from placed note a to placed note b."""
        x = (a.x + b.x) / 2
        long = b.x - a.x >= 28
        if a.up:  # under the heads
            if long:
                self.glyph(LONG_TIE_BELOW, x, a.head + 4)
            else:
                self.glyph(SHORT_TIE_BELOW, x, a.head + 8)
        else:
            if long:
                self.glyph(LONG_TIE_ABOVE, x, a.head - 4)
            else:
                self.glyph(SHORT_TIE_ABOVE, x, a.head - 8)

    # --- a line of music -----------------------------------------------
    def music(self, staff, voice, clef="treble", start=None, end=None,
              final=False, closing=True, label_y=None, play=True):
        """Lays a voice out across a staff, evenly by note lengths.

        With a clef the line starts with it; `start` and `end` bound the
        notes otherwise. A barline closes each bar, the last one at `end`
        (a final barline with `final`; none when `closing` is off). Labels
        go under the staff, at `label_y` if given. Returns the placed
        notes and rests in order, and the x of each barline.
        """
        events = music.parse(voice) if isinstance(voice, str) else voice
        end = self.line_end if end is None else end
        x = LINE_START if start is None else start
        if clef and start is None:
            self.clef(staff, clef)
            x = CLEF_X + 15
        fixed = 0
        previous_bar = None
        for ev in events:
            if ev.kind != "breath":
                if previous_bar is not None and ev.bar != previous_bar:
                    fixed += 6
                previous_bar = ev.bar
            if ev.kind in ("note", "rest"):
                fixed += lead(ev)
            elif ev.kind == "time":
                fixed += 22
            elif ev.kind == "breath":
                fixed += 10
        widths = spread([ev for ev in events
                         if ev.kind in ("note", "rest")], end - x - fixed)
        if widths is None:
            raise ValueError(f"staff {staff} of {self.path} is too full")
        placed = []
        bars = []
        previous_bar = None
        label_y = bottom(staff) + 13 if label_y is None else label_y
        for ev in events:
            if ev.kind == "breath":
                self.glyph(BREATH, x + 2, top(staff) - 8)
                x += 10
                continue
            if previous_bar is not None and ev.bar != previous_bar:
                self.barline(staff, round(x))
                bars.append(round(x))
                x += 6
            previous_bar = ev.bar
            if ev.kind == "time":
                self.time(staff, x + 10, *ev.time)
                x += 22
                continue
            x += lead(ev)
            p = self.place(staff, ev, round(x), clef or "treble")
            if ev.label:
                self.label(ev.label, p.x, label_y)
            placed.append(p)
            x += widths[len(placed) - 1]
        if final:
            self.final_barline(staff, end)
        elif closing:
            self.barline(staff, end)
        if final or closing:
            bars.append(end)
        for a, b in zip(placed, placed[1:]):
            if a.event.tie:
                self.tie(a, b)
        if play:
            self.voices.append(events)
        return Line(placed, bars)


class Line:
    def __init__(self, notes, bars):
        self.notes = notes
        self.bars = bars


class Placed:
    def __init__(self, event, x, head, up):
        self.event = event
        self.x = x
        self.head = head
        self.up = up


def lead(ev):
    """Room before a head: the head's left half and any accidental."""
    return 10 + (12 if ev.accidental else 0)


def weight(ev):
    return WEIGHT[ev.length] * (1.3 if ev.dotted else 1.0)


def spread(events, room):
    """The room after each note or rest: by its length, but never so
    little that its label runs into the next one. None when even the
    least room does not fit."""
    least = []
    most = []  # tied notes stay close enough for one tie to join them
    for ev, nxt in zip(events, events[1:] + [None]):
        need = 12
        if nxt is not None and (ev.label or nxt.label):
            need = (text_width(ev.label) + text_width(nxt.label)) / 2 + 6
            need -= lead(nxt)
        least.append(max(12, need))
        cap = float("inf")
        if nxt is not None and ev.tie:
            cap = TIE_SPAN - lead(nxt) - (6 if nxt.bar != ev.bar else 0)
        most.append(max(least[-1], cap))
    if sum(least) > room:
        return None

    def widths_for(unit):
        return [min(hi, max(lo, unit * weight(ev)))
                for lo, hi, ev in zip(least, most, events)]

    low, high = 0.0, float(room)
    for _ in range(60):  # the largest unit whose widths still fit
        unit = (low + high) / 2
        if sum(widths_for(unit)) > room:
            high = unit
        else:
            low = unit
    widths = widths_for(low)
    widths[-1] += room - sum(widths)  # the last bar closes at the end
    return widths
