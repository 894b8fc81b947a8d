"""休符: a rest for every note value, and a rhythm that uses them."""

import music
from notation import Page, bottom

TEXT = """
音を出さずに休む長さを表すのが「休符」です。音符と同じように、休符にも全休符から16分休符までの長さがあります。

上の段では、それぞれの音符の右に、同じ長さの休符を並べました。全休符は４拍、２分休符は２拍、４分休符は１拍、８分休符は半拍、16分休符は４分の１拍休みます。

全休符と２分休符は、どちらも黒い長方形なのでよく似ています。全休符は第４線から「ぶら下がり」、２分休符は第３線の上に「乗って」います。帽子を手に持っているのが全休符、かぶっているのが２分休符、と覚える人もいます。

また、全休符は、拍子に関係なく「その小節をまるごと休む」という意味でも使います。

下の段は、音符と休符を組み合わせたリズムの例です。４分音符を「タン」、４分休符を「ウン」と声に出し、手をたたきながら読んでみましょう。休符のところも拍は止まらずに進んでいることを感じるのが大切です。

再生すると、上の段の音符と休符を順に鳴らしたあと、下の段のリズムを演奏します。
"""

PAIRS = [("w", "全休符"), ("h", "２分休符"), ("q", "４分休符"),
         ("e", "８分休符"), ("s", "16分休符")]
RHYTHM = ("G4 q タン, r q ウン, G4 q タン, r q ウン | G4 h ターアン, r h ウーン"
          " | G4 e タ, r e ウ, G4 e タ, r e ウ, G4 q タン, r q ウン"
          " | G4 q タン, G4 q タン, G4 q タン, r q ウン")


def build():
    page = Page("休符", 2, TEXT, tempo=88)
    page.clef(0, "treble")
    played = []
    for i, (length, name) in enumerate(PAIRS):
        x = 84 + 104 * i
        page.note(0, x, "G4 " + length)
        page.rest(0, x + 42, length)
        page.label(name, x + 42, bottom(0) + 13)
        played.append(f"G4 {length}, r {length}")
    page.barline(0, page.line_end)
    page.music(1, RHYTHM, final=True, play=False)
    page.voices.append(music.parse(" | ".join(played) + " | " + RHYTHM))
    return page
