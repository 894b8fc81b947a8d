"""タイ: notes of one pitch joined, within a bar and across a barline."""

from notation import Page, bottom

TEXT = """
同じ高さの二つの音符を弧線（こせん）でつなぐと、二つ目の音符を弾き直さずに、二つの長さを足した分だけ音をのばします。この弧線を「タイ」といいます。

上の段の１小節目は、２分音符と４分音符をタイでつないでいます。２拍＋１拍で、３拍のばします。

タイがいちばん役に立つのは、音を小節線の向こうまでのばしたいときです。一つの音符は小節線をまたいで書けないので、小節の終わりまでの音符と、次の小節の音符に分けて、タイでつなぎます。上の段の２小節目から３小節目へは、２拍＋４拍で６拍のばしています。

タイは、音符の棒と反対側に書きます。棒が上向きなら玉の下、棒が下向きなら玉の上です。下の段には、棒が下向きの音符のタイと、小節線をまたぐタイの例を並べました。

よく似た記号に、ちがう高さの音符をつなぐ「スラー」があります。スラーは「なめらかにつなげて演奏する」という意味で、音をのばすタイとは役目がちがいます。弧線の両はしの音符が同じ高さかどうかで見分けましょう。

再生して、タイでつながった音が弾き直されずにのびていることを確かめてください。
"""

UPPER = "4/4 | G4 h~, G4 q, r q | E4 q, F4 q, G4 h~ | G4 w"
LOWER = ("C5 q, D5 q, E5 h~ | E5 h, D5 q, C5 q~ | C5 q, B4 q, A4 h"
         " | B4 h~, B4 q, r q")


def build():
    page = Page("ties", 2, TEXT)
    notes = page.music(0, UPPER).notes
    for first, what in ((0, "２拍＋１拍"), (5, "２拍＋４拍")):
        a, b = notes[first], notes[first + 1]
        page.label(what, (a.x + b.x) // 2, bottom(0) + 13)
    page.music(1, LOWER, final=True)
    return page
