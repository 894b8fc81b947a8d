"""The course: its title, its note and its pages in reading order.

Each entry of CONTENTS is a line of Data/Varnel.vrn: the page's path
below Data (folders separated by "\", no extension), indented with
spaces when the page is a sub-topic of the one before. PAGE_MODULES names
the module in pages/ that builds each page.
"""

TITLE = "Varnel 楽譜の読み方入門"
NOTE = "Varnel 付属教材"

CONTENTS = [
    "intro",
    "staff",
    "clefs",
    "  treble",
    "  bass",
    "notes",
    "rests",
    "bars",
    "ties",
    "  dots",
    "accidentals",
    "signs",
    "extra\\kaeru",
    "extra\\kirakira",
]

PAGE_MODULES = [e.strip().split("\\")[-1] for e in CONTENTS]
