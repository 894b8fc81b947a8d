"""音符の長さ: whole to sixteenth, each row filling the same time."""

import music
from notation import Page, bottom

TEXT = """
音の長さは、音符の形で表します。玉（符頭）が白いか黒いか、棒（符幹）があるか、旗（符尾）が何本あるかを見分けましょう。

全音符は白い玉だけ、２分音符は白い玉に棒、４分音符は黒い玉に棒です。８分音符は４分音符に旗が１本、16分音符は旗が２本つきます。

上から順に、一つの音符の長さは半分ずつになっていきます。全音符１つは、２分音符２つ、４分音符４つ、８分音符８つ、16分音符16個と同じ長さです。図では、それぞれの段がちょうど同じ長さになるように並べてあります。

４分音符を１拍と数えると、全音符は４拍、２分音符は２拍、８分音符は半拍、16分音符は４分の１拍です。

音符の棒は、玉が第３線より下にあるときは玉の右から上向きに、第３線より上にあるときは玉の左から下向きに書くのがふつうです（「ト音記号の音」のページのドレミを見てください）。棒の向きが変わっても、長さは変わりません。

再生すると、ソの音で上の段から順に、同じ速さの拍の上で鳴らします。一つ一つの音の長さを比べてみましょう。
"""

ROWS = [("G4 w", 1, "全音符　４拍"),
        ("G4 h", 2, "２分音符　２拍"),
        ("G4 q", 4, "４分音符　１拍"),
        ("G4 e", 8, "８分音符　半拍"),
        ("G4 s", 16, "16分音符　４分の１拍")]
START = 56  # just after the clef


def build():
    page = Page("音符の長さ", 5, TEXT, tempo=80)
    played = []
    for staff, (note, count, name) in enumerate(ROWS):
        page.clef(staff, "treble")
        # spaced by time, so that every row shows the same length
        step = (page.line_end - 16 - START) / count
        for i in range(count):
            page.note(staff, START + 8 + round(i * step), note)
        page.barline(staff, page.line_end)
        page.text_at(name, 26, bottom(staff) + 10)
        played.append(", ".join([note] * count))
    page.voices.append(music.parse(" | ".join(played)))
    return page
