"""音部記号: treble, bass and C clefs, and middle C in each."""

from notation import Page, WHOLE, BARLINE, bottom, step_y, pitch_step
import music

TEXT = """
五線だけでは、どの線がどの高さの音なのかが決まりません。それを決めるのが、五線の左端に書く「音部記号」です。

ト音記号は、うずまきの中心が第２線を指していて、第２線が「ト」の音（イタリア語でソ、英語でＧ）であることを表します。歌のメロディーやピアノの右手、フルートやバイオリンなど、高めの音域に使います。

ヘ音記号は、二つの点が第４線をはさんでいて、第４線が「ヘ」の音（ファ、Ｆ）であることを表します。ピアノの左手やチェロ、ファゴットなど、低めの音域に使います。

ハ音記号は、記号のまん中が指す線が「ハ」の音（ド、Ｃ）になります。第３線に置いたものをアルト記号（ビオラが使います）、第４線に置いたものをテノール記号（チェロやファゴットの高い音域）といいます。

日本語の音名は、ド・レ・ミ・ファ・ソ・ラ・シを、ハ・ニ・ホ・ヘ・ト・イ・ロと呼びます。「ト音記号」「ヘ音記号」「ハ音記号」の名前は、それぞれが示す音から来ています。

図で縦一列に並んだ音符は、三つとも同じ高さの「中央のド」です。ピアノの鍵盤のほぼ真ん中にあるドで、ト音記号では下第１線、ヘ音記号では上第１線、アルト記号では第３線、テノール記号では第４線に書きます。音部記号が違えば、同じ音でも書く位置が変わることに注意しましょう。

上の２段は、ト音記号の段とヘ音記号の段を縦線でつないだ「大譜表」です。ピアノの楽譜はこの形で書きます。中央のドは、ちょうど二つの段の間に来ます。
"""

REF_X = 112
MIDDLE_X = 200
SPLIT_X = 264


def whole(page, staff, pitch, x, clef):
    ev = music.parse_event(pitch + " w", 0)
    step = pitch_step(ev, clef)
    page.ledgers(staff, step, x)
    page.glyph(WHOLE, x, step_y(staff, step))
    return step


def build():
    page = Page("音部記号", 3, TEXT, width=420)
    below = [bottom(staff) + 13 for staff in range(3)]
    for staff, clef, name in ((0, "treble", "ト音記号"), (1, "bass", "ヘ音記号"),
                              (2, "alto", "アルト記号")):
        page.clef(staff, clef)
        page.text_at(name, 24, below[staff])  # clear of the joining line
    # the note each clef names
    whole(page, 0, "G4", REF_X, "treble")
    page.label("ト（ソ）", REF_X, below[0])
    whole(page, 1, "F3", REF_X, "bass")
    page.label("ヘ（ファ）", REF_X, below[1])
    # middle C in one column: beside the note when it lies off the staff
    whole(page, 0, "C4", MIDDLE_X, "treble")
    page.text_at("中央のド", MIDDLE_X + 12, bottom(0) + 2)
    whole(page, 1, "C4", MIDDLE_X, "bass")
    page.text_at("中央のド", MIDDLE_X + 12, step_y(1, 10) - 6)
    whole(page, 2, "C4", MIDDLE_X, "alto")
    page.label("中央のド", MIDDLE_X, below[2])
    # the same C clef a line higher: tenor
    page.clef(2, "tenor", SPLIT_X + 30)
    whole(page, 2, "C4", SPLIT_X + 104, "tenor")
    page.label("テノール記号", SPLIT_X + 30, below[2])
    page.label("中央のド", SPLIT_X + 104, below[2])
    # the top two staves joined into a grand staff, as for the piano
    for x in (20, SPLIT_X, page.line_end):
        page.barline(0, x)
        page.glyph(BARLINE, x, bottom(0) + 16)
        page.barline(1, x)
    page.barline(2, SPLIT_X)
    page.barline(2, page.line_end)
    return page
