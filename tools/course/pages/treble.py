"""ト音記号の音: the scale from middle C, then the notes on lines and in
spaces."""

import music
from notation import Page, top

TEXT = """
ト音記号の五線で、音の名前を読んでみましょう。

上の段は、中央のド（下第１線）から１オクターブ上のドまで、ドレミファソラシドと順に上がっています。五線の下にイタリア語の名前、上に日本語の名前（ハニホヘトイロハ）を書きました。

ドの次のレは、五線のすぐ下（下第１間）、ミは第１線、ファは第１間……と、線と間を一つずつ上がっていきます。シから先は、音符の棒が下向きになっていることにも気づいたでしょうか。第３線より上の音符は、棒を下向きに書くのがふつうです。

下の段は、読む練習に役立つ二つのグループです。左は線の上の音で、下から「ミ・ソ・シ・レ・ファ」。右は間の音で、下から「ファ・ラ・ド・ミ」です。この二つを覚えておくと、そこから一つ上、一つ下と数えて、どの音でもすばやく読めるようになります。

慣れてきたら、五線の下の名前を指でかくして読んでみましょう。再生すると、上の段のドレミファソラシドを上がって下り、続いて下の段の音を順に鳴らします。
"""

SCALE = ("C4 q ド, D4 q レ, E4 q ミ, F4 q ファ, G4 q ソ, A4 q ラ, B4 q シ,"
         " C5 q ド")
NAMES = "ハニホヘトイロハ"
LINES_SPACES = ("E4 w ミ, G4 w ソ, B4 w シ, D5 w レ, F5 w ファ"
                " | F4 w ファ, A4 w ラ, C5 w ド, E5 w ミ")
PLAYED = ("C4 q, D4 q, E4 q, F4 q | G4 q, A4 q, B4 q, C5 q"
          " | B4 q, A4 q, G4 q, F4 q | E4 q, D4 q, C4 h"
          " | E4 h, G4 h | B4 h, D5 h | F5 w | F4 h, A4 h | C5 h, E5 h")


def build():
    page = Page("ト音記号の音", 2, TEXT)
    line = page.music(0, SCALE, play=False)
    for note, name in zip(line.notes, NAMES):
        page.label(name, note.x, top(0) - 22)
    page.music(1, LINES_SPACES, play=False)
    page.voices.append(music.parse(PLAYED))
    return page
