"""付点音符: a dot adds half the note's length, compared with ties."""

import music
from notation import Page, bottom

TEXT = """
音符の玉の右に小さな点をつけると、その音符の長さが半分だけ長くなります。この点を「付点」、付点のついた音符を「付点音符」といいます。

付点２分音符は、２分音符（２拍）にその半分の４分音符（１拍）を足した３拍です。上の段の左のように、２分音符と４分音符をタイでつないだものと同じ長さになります。

付点４分音符は、４分音符（１拍）に８分音符（半拍）を足して１拍半。付点８分音符は、８分音符に16分音符を足した長さ（４分の３拍）です。

付点は、玉が間にあるときはその間に、玉が線の上にあるときはすぐ上の間に書きます。休符にも付点をつけることができ、意味は音符と同じです。

下の段は、付点音符を使ったメロディーです。「タッ・タ」とはずむ付点４分音符と８分音符の組み合わせは、いろいろな曲によく出てきます。４分の３拍子の付点２分音符は、ちょうど１小節分の長さです。

再生して、付点のリズムのはずみを感じてください。
"""

# a dotted note and the tied notes it stands for
PAIRS = [("G4 h~", "G4 q", "２拍＋１拍", "G4 h.", "＝３拍"),
         ("G4 q~", "G4 e", "１拍＋半拍", "G4 q.", "＝１拍半"),
         ("B4 e~", "B4 s", "８分＋16分", "B4 e.", "＝４分の３拍")]
MELODY = ("3/4 | E4 q., F4 e, G4 q | C5 h. | B4 q., A4 e, G4 q"
          " | A4 h. | G4 q., F4 e, E4 q | D4 q., E4 e, F4 q | E4 h.")
START = 56


def build():
    page = Page("付点音符", 2, TEXT, tempo=100)
    page.clef(0, "treble")
    played = []
    group = (page.line_end - START) // len(PAIRS)
    for i, (tied, second, sum_, dotted, length) in enumerate(PAIRS):
        x = START + group * i
        notes = page.music(0, f"{tied}, {second}", start=x + 6,
                           end=x + 60, closing=False, play=False).notes
        page.label(sum_, (notes[0].x + notes[1].x) // 2, bottom(0) + 13)
        page.note(0, x + 124, dotted)
        page.label(length, x + 126, bottom(0) + 13)
        page.barline(0, x + group if i < 2 else page.line_end)
        played.append(f"{tied}, {second}, r q, {dotted}, r q")
    page.music(1, MELODY, final=True, play=False)
    page.voices.append(music.parse(" | ".join(played) + " | r q | " + MELODY))
    return page
