"""はじめに: what the course holds and the parts of a score, named."""

from notation import Page, top, bottom

TEXT = """
Varnel 楽譜の読み方入門へようこそ。

この教材では、五線のしくみから始めて、音部記号、音符と休符の長さ、小節と拍子、タイと付点、臨時記号を順に学び、最後に短い曲の楽譜を読んでみます。

上の図は、楽譜によく出てくる記号に名前をつけたものです。今はまだわからなくてもかまいません。ページを進むうちに、一つずつ説明していきます。

ページは、ツールバーの目次の一覧から選ぶか、「<」「>」のボタンで移ります。F11 キーで前のページ、F12 キーで次のページです。

譜例の音を聴けるページでは、再生ボタンが使えます。F3 キーで再生と停止、F4 キーで曲の頭に戻ります。このページの譜例も聴いてみましょう。

音が出ないときや音色がおかしいときは、「ファイル」メニューの「GM音源の初期化」を試してください。
"""

# an ordinary little tune: up, back down, home
TUNE = ("4/4 | G4 q, E4 q, G4 q, r q | A4 q, G4 q, E4 h"
        " | F4 q, E4 q, D4 q, r q | C4 w")


def build():
    page = Page("はじめに", 1, TEXT)
    line = page.music(0, TUNE, final=True)
    placed = line.notes
    above = top(0) - 26
    below = bottom(0) + 14
    page.label("ト音記号", 33, above)
    page.label("拍子記号", 58, below)
    page.label("音符", placed[0].x, above)
    page.label("休符", placed[3].x, below)
    page.label("小節線", line.bars[0], above)
    page.label("加線", placed[-1].x, below + 2)
    page.label("終止線", page.line_end - 10, above)
    return page
