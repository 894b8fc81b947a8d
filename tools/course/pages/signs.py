"""フェルマータとブレス: holding a note, taking a breath."""

from notation import Page, top

TEXT = """
音符や休符の長さのほかにも、楽譜には演奏のしかたを伝える記号がいろいろあります。ここでは、よく出てくる二つを紹介します。

フェルマータは、半円の中に点を書いた記号で、音符や休符の上につけます。その音をほどよくのばす（休符なら長めに休む）という意味です。どれくらいのばすかは決まっておらず、演奏する人や指揮者にまかされています。曲の最後の音によくつきます。

ブレス記号は、五線の上に書く小さな「∨」（またはコンマの形）で、「ここで息つぎをする」という意味です。歌や管楽器では、メロディーのまとまり（フレーズ）の区切りで息を吸います。息を吸う時間は、前の音を少し短くして作り、次の音は遅れずに始めます。ピアノなど息を使わない楽器でも、フレーズの区切りとして少し間をあけて演奏します。

上の段は４分の４拍子、下の段は４分の３拍子の例です。どちらも途中のブレスで一度区切り、最後の音にフェルマータがついています。下の段では、フレーズの途中の音にもフェルマータがあります。

再生して、フェルマータでのびる音と、ブレスの短い区切りを聴いてみましょう。
"""

UPPER = ("4/4 | C5 q, B4 q, A4 q, G4 q | A4 h, G4 h, breath"
         " | F4 q, E4 q, D4 q, E4 q | C4 w ^")
LOWER = ("3/4 | E4 q, G4 q, C5 q | B4 h ^, breath, G4 q"
         " | A4 q, F4 q, D4 q | C4 h. ^")


def build():
    page = Page("フェルマータとブレス", 2, TEXT, tempo=92)
    upper = page.music(0, UPPER, final=True)
    page.music(1, LOWER, final=True)
    # names above the marks; below would meet the marks of the next staff
    page.label("ブレス", upper.bars[1] - 5, top(0) - 27)
    page.label("フェルマータ", upper.notes[-1].x - 6, top(0) - 27)
    return page
