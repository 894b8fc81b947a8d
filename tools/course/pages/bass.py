"""ヘ音記号の音: the scale up to middle C, and the lines and spaces."""

import music
from notation import Page

TEXT = """
こんどはヘ音記号の五線です。ヘ音記号の楽譜は、ト音記号と同じ形の五線でも、音の名前がずれるので注意が必要です。

上の段は、中央のドより１オクターブ低いド（第２間）から、中央のド（上第１線）まで上がるドレミファソラシドです。ヘ音記号が示す第４線のファから数えると、読み間違えにくくなります。

ト音記号と比べると、ヘ音記号では同じ位置の音が「二つ上」の名前になります。たとえば第１線は、ト音記号ではミですが、ヘ音記号ではソです。

下の段は、左が線の上の音で下から「ソ・シ・レ・ファ・ラ」、右が間の音で下から「ラ・ド・ミ・ソ」です。ト音記号のときと同じように、この二つのグループを目印にしましょう。

再生すると、上の段を上がって下り、続いて下の段の音を順に鳴らします。低い音なので、ピアノの左手の音をイメージしながら聴いてください。
"""

SCALE = ("C3 q ド, D3 q レ, E3 q ミ, F3 q ファ, G3 q ソ, A3 q ラ, B3 q シ,"
         " C4 q ド")
LINES_SPACES = ("G2 w ソ, B2 w シ, D3 w レ, F3 w ファ, A3 w ラ"
                " | A2 w ラ, C3 w ド, E3 w ミ, G3 w ソ")
PLAYED = ("C3 q, D3 q, E3 q, F3 q | G3 q, A3 q, B3 q, C4 q"
          " | B3 q, A3 q, G3 q, F3 q | E3 q, D3 q, C3 h"
          " | G2 h, B2 h | D3 h, F3 h | A3 w | A2 h, C3 h | E3 h, G3 h")


def build():
    page = Page("ヘ音記号の音", 2, TEXT)
    page.music(0, SCALE, clef="bass", play=False)
    page.music(1, LINES_SPACES, clef="bass", play=False)
    page.voices.append(music.parse(PLAYED))
    return page
