"""かえるの合唱 (German folk song): a first whole tune to read."""

import music
from make_midi import Voice
from notation import Page

TEXT = """
かえるの合唱（ドイツ民謡）

これまでに学んだことを使って、よく知られた曲の楽譜を読んでみましょう。

ト音記号、４分の４拍子で、１段に２小節ずつ、全部で８小節です。♯も♭も出てきません。

１段目と２段目は、４分音符と２分音符でできています。１段目はドから上がってドに戻り、２段目はミから始めて、１段目と同じ形で上がって下ります。

３段目は、４分音符と４分休符がかわりばんこに並びます。休符のところでは、音を切ってしっかり休みましょう。

４段目の最初の小節は８分音符が八つで、１拍に二つずつの音が入ります。「ドド・レレ・ミミ・ファファ」と、ここだけ急に細かくなるのがこの曲の楽しいところです。

五線の下のカタカナは音の名前です。まず名前を読みながら音符を指でたどり、次に再生して、音と楽譜を見比べてください。

この曲は「輪唱」でもよく歌われます。同じメロディーを、二つ目のパートが２小節遅れて追いかける歌い方です。再生すると、はじめに一人で一回、続いて二つのパートの輪唱で演奏します。
"""

STAVES = [
    "4/4 | C4 q ド, D4 q レ, E4 q ミ, F4 q ファ | E4 q ミ, D4 q レ, C4 h ド",
    "E4 q ミ, F4 q ファ, G4 q ソ, A4 q ラ | G4 q ソ, F4 q ファ, E4 h ミ",
    "C4 q ド, r q, C4 q ド, r q | C4 q ド, r q, C4 q ド, r q",
    "C4 e ド, C4 e ド, D4 e レ, D4 e レ, E4 e ミ, E4 e ミ, F4 e ファ,"
    " F4 e ファ | E4 q ミ, D4 q レ, C4 h ド",
]
BAR = 1920  # ticks in a 4/4 bar


def build():
    page = Page("extra\\かえるの合唱", 4, TEXT, tempo=112)
    for staff, notes in enumerate(STAVES):
        page.music(staff, notes, final=staff == len(STAVES) - 1, play=False)
    tune = " | ".join(STAVES)
    # once alone, then as a round: the second part two bars behind
    page.voices = [
        Voice(tune + " | r w | " + tune, channel=0, program=0),
        Voice(tune, channel=1, program=73, velocity=70,
              start=11 * BAR),
    ]
    return page
