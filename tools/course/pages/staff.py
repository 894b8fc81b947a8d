"""五線と加線: lines and spaces, counted from the bottom; ledger lines."""

from notation import Page, WHOLE, LEDGER, top, bottom, step_y

TEXT = """
楽譜は、横に引いた五本の線の上に書きます。この五本の線を「五線」といいます。

五線の線は、下から順に第１線、第２線、……第５線と数えます。線と線の間は「間（かん）」といい、これも下から第１間～第４間と数えます。

音符の玉は、線の上（線が玉の真ん中を通る）か、間（上下の線にはさまれる）に置きます。上の段では、第１線から第５線まで、線と間を交互にたどっています。一つ上の線や間に移るごとに、音は一段ずつ高くなります。五線の上にあるほど高い音、下にあるほど低い音です。

五線に入りきらない高い音や低い音には、短い線を書き足して、五線を上や下に延ばします。これを「加線」といいます。

五線の上に足す加線は、五線に近いほうから「上第１線」「上第２線」、下に足す加線は「下第１線」「下第２線」と呼びます。間も同じように、第５線のすぐ上が「上第１間」、第１線のすぐ下が「下第１間」です。

加線は音符ごとに短く書き、音符のところまで必要な本数だけ重ねます。下の段では、左に五線より上の音、右に五線より下の音を並べました。加線の本数を数えれば、高さを正確に読み取れます。
"""

LINES = ["第１線", "第１間", "第２線", "第２間", "第３線",
         "第３間", "第４線", "第４間", "第５線"]
ABOVE = [(9, "上第１間"), (10, "上第１線"), (11, "上第２間"), (12, "上第２線")]
BELOW = [(-1, "下第１間"), (-2, "下第１線"), (-3, "下第２間"), (-4, "下第２線")]


def whole(page, staff, step, x):
    page.ledgers(staff, step, x)
    page.glyph(WHOLE, x, step_y(staff, step))


def build():
    page = Page("五線と加線", 2, TEXT)
    # lines and spaces, named above the staff in two staggered rows
    for step, name in enumerate(LINES):
        x = 60 + 60 * step
        whole(page, 0, step, x)
        page.label(name, x, 4 if step % 2 == 0 else 17)
    # ledger lines: names beside the notes, kept off the staff
    for i, (step, name) in enumerate(ABOVE + BELOW):
        x = 44 + 68 * i + (12 if i >= 4 else 0)
        whole(page, 1, step, x)
        y = step_y(1, step) - 6
        y = min(y, top(1) - 13) if step > 0 else max(y, bottom(1) + 2)
        page.text_at(name, x + 10, y)
    return page
