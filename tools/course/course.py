"""The course: its title, its note and its pages in reading order.

Each page is a pair: its line of Data/Varnel.vrn and the module in pages/
that builds it. The line is the page's path below Data (folders separated
by "\", no extension), indented with spaces when the page is a sub-topic
of the one before. The last part of the path is the page's title in the
reader's list and the name of its files on disk (UTF-8 there, code page
932 in the contents file and inside the page).
"""

TITLE = "Varnel 楽譜の読み方入門"
NOTE = "Varnel 付属教材"

PAGES = [
    ("はじめに", "intro"),
    ("五線と加線", "staff"),
    ("音部記号", "clefs"),
    ("  ト音記号の音", "treble"),
    ("  ヘ音記号の音", "bass"),
    ("音符の長さ", "notes"),
    ("休符", "rests"),
    ("小節と拍子", "bars"),
    ("タイ", "ties"),
    ("  付点音符", "dots"),
    ("臨時記号", "accidentals"),
    ("フェルマータとブレス", "signs"),
    ("extra\\かえるの合唱", "kaeru"),
    ("extra\\きらきら星", "kirakira"),
]

CONTENTS = [entry for entry, _ in PAGES]
PAGE_MODULES = [module for _, module in PAGES]

