#include <QAction>
#include <QBitmap>
#include <QButtonGroup>
#include <QListWidget>
#include <QToolButton>

#include "InputFixture.h"
#include "score/render/GlyphSet.h"

namespace {

class NoteInput : public InputTest {
 protected:
  void showPalette() {
    action("Palette1")->trigger();
    ASSERT_TRUE(palette().isVisible());
  }
  void chooseListItem(int row) {
    QListWidget *list = paletteList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  // True when the canvas shows the glyph cursor of `glyph`.
  bool showsGlyphCursor(int glyph) {
    const QCursor shown = canvasView()->cursor();
    return form().canvasCursorId() == glyph + 1 &&
           form().hasGlyphCursor(glyph + 1) &&
           shown.shape() == Qt::BitmapCursor &&
           shown.bitmap().toImage() ==
               makeGlyphCursor(glyph).bitmap().toImage() &&
           shown.hotSpot() == QPoint(16, 16);
  }
  // Palette button `number`: 1..14 the glyphs, 15 "Undo", 16 the fold,
  // 17 the symbol list, 18 the digit list.
  QToolButton *paletteButton(int number) {
    const QByteArray name = "SpeedButton" + QByteArray::number(number);
    return child<QToolButton>(palette(), name.constData());
  }
  QListWidget *paletteList() {
    return child<QListWidget>(palette(), "ListBox1");
  }
  QList<int> downGlyphButtons() {
    QList<int> down;
    for (int tag = 1; tag <= 14; ++tag)
      if (paletteButton(tag)->isChecked()) down << tag;
    return down;
  }
};

// Every pixel the stamp changed is ink of the glyph in the cell whose
// top-left corner is (left, top), and all of that ink is black.
void expectStamp(const QImage &before, const QImage &after, int glyph, int left,
                 int top) {
  const GlyphSet &glyphs = GlyphSet::instance();
  for (const QPoint &p : changedPixels(before, after)) {
    EXPECT_TRUE(glyphs.ink(glyph, p.x() - left, p.y() - top))
        << "stray pixel at " << p.x() << "," << p.y();
  }
  int inkCount = 0;
  for (int r = 0; r < GlyphSet::Size; ++r) {
    for (int c = 0; c < GlyphSet::Size; ++c) {
      const QPoint p(left + c, top + r);
      if (!glyphs.ink(glyph, c, r) || !after.rect().contains(p)) continue;
      ++inkCount;
      EXPECT_EQ(after.pixel(p), qRgb(0, 0, 0)) << "at " << c << "," << r;
    }
  }
  EXPECT_GT(inkCount, 0);
}

}  // namespace

// Real clicks reach the page: X as clicked, Y on the staff grid.
TEST_F(NoteInput, LeftClicksStampOnTheGridWithXAsClicked) {
  showPalette();
  click(41, 49);
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"`14", "41", "48"}));
  click(53, 50);
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"`14", "53", "52"}));
  EXPECT_EQ(page().count(), 2);
}

TEST_F(NoteInput, StampedGlyphSitsWithItsCellAtTheSnappedAnchor) {
  showPalette();
  const QImage before = canvas();
  click(101, 50);  // snaps to 52
  expectStamp(before, canvas(), 14, 101 - 16, 52 - 16);
  // The view shows the new picture: the middle of the filled head.
  ASSERT_TRUE(GlyphSet::instance().ink(14, 16, 24));
  EXPECT_EQ(canvasView()->grab().toImage().pixel(101, 52 + 8), qRgb(0, 0, 0));
}

TEST_F(NoteInput, HalfNoteFlippedByARightClick) {
  showPalette();
  paletteButton(2)->click();
  EXPECT_EQ(doc().editor().CurrentGlyph, 12);
  click(300, 200, Qt::RightButton);
  EXPECT_EQ(page().count(), 0);  // a right click places nothing
  EXPECT_EQ(doc().editor().CurrentGlyph, 13);
  const QImage before = canvas();
  click(100, 40);
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"`13", "100", "40"}));
  expectStamp(before, canvas(), 13, 84, 24);
}

TEST_F(NoteInput, FirstShowingChoosesTheQuarterNoteAndItsCursor) {
  EXPECT_EQ(canvasView()->cursor().shape(), Qt::ArrowCursor);
  showPalette();
  EXPECT_EQ(doc().editor().CurrentGlyph, 14);
  EXPECT_TRUE(showsGlyphCursor(14));
  EXPECT_EQ(downGlyphButtons(), QList<int>{3});
  EXPECT_TRUE(doc().editor().Mode == EditMode::Note);
  EXPECT_TRUE(toolButton("SpeedButton1")->isChecked());
  EXPECT_TRUE(action("Palette1")->isChecked());
  // The list taking the keyboard chooses nothing.
  ASSERT_TRUE(QTest::qWaitForWindowActive(&palette()));
  paletteList()->setFocus();
  EXPECT_EQ(doc().editor().CurrentGlyph, 14);
  EXPECT_TRUE(doc().editor().PaletteButtonActive);
  // The keys choose as the mouse does.
  QTest::keyClick(paletteList(), Qt::Key_Down);
  EXPECT_EQ(doc().editor().CurrentGlyph, 33);
  EXPECT_TRUE(downGlyphButtons().isEmpty());
}

TEST_F(NoteInput, RightClicksFlipStemsAndTheCursorFollows) {
  showPalette();
  for (int expected : {15, 14, 15}) {
    click(50, 50, Qt::RightButton);
    EXPECT_EQ(doc().editor().CurrentGlyph, expected);
    EXPECT_TRUE(showsGlyphCursor(expected));
  }
  // The toggle outlives the palette: showing it again keeps stems down.
  palette().close();
  showPalette();
  EXPECT_EQ(doc().editor().CurrentGlyph, 15);
  EXPECT_TRUE(showsGlyphCursor(15));
}

TEST_F(NoteInput, ListChoiceReleasesTheButtonsAndIgnoresTheFlip) {
  showPalette();
  chooseListItem(0);  // "ト音記号"
  EXPECT_EQ(doc().editor().CurrentGlyph, 32);
  EXPECT_FALSE(doc().editor().PaletteButtonActive);
  EXPECT_TRUE(downGlyphButtons().isEmpty());
  EXPECT_TRUE(showsGlyphCursor(32));
  click(50, 50, Qt::RightButton);
  EXPECT_EQ(doc().editor().FlipToggle, 1);
  EXPECT_EQ(doc().editor().CurrentGlyph, 32);
  click(120, 70);
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"`32", "120", "72"}));

  paletteButton(2)->click();
  EXPECT_EQ(doc().editor().CurrentGlyph, 13);
  EXPECT_EQ(downGlyphButtons(), QList<int>{2});
  EXPECT_TRUE(paletteList()->selectedItems().isEmpty());
  // The same item can be chosen again after a button.
  chooseListItem(0);
  EXPECT_EQ(doc().editor().CurrentGlyph, 32);
  // A button pressed twice stays down.
  paletteButton(4)->click();
  paletteButton(4)->click();
  EXPECT_EQ(downGlyphButtons(), QList<int>{4});
  EXPECT_EQ(doc().editor().CurrentGlyph, 17);
}

TEST_F(NoteInput, SwitchingTheListKeepsTheCurrentGlyph) {
  showPalette();
  chooseListItem(3);  // "黒玉"
  ASSERT_EQ(doc().editor().CurrentGlyph, 11);
  QListWidget *list = paletteList();
  paletteButton(18)->click();  // "拍子"
  EXPECT_FALSE(doc().editor().SymbolListShown);
  ASSERT_EQ(list->count(), 10);
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("０"));
  EXPECT_EQ(list->item(9)->text(), QStringLiteral("９"));
  EXPECT_TRUE(list->selectedItems().isEmpty());
  EXPECT_EQ(doc().editor().CurrentGlyph, 11);
  EXPECT_TRUE(paletteButton(18)->isChecked());
  EXPECT_FALSE(paletteButton(17)->isChecked());
  paletteButton(18)->click();  // already the digits: nothing
  EXPECT_EQ(list->count(), 10);
  EXPECT_TRUE(paletteButton(18)->isChecked());

  chooseListItem(7);
  EXPECT_EQ(doc().editor().CurrentGlyph, 7);
  click(200, 33);
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"`7", "200", "32"}));

  paletteButton(17)->click();  // "記号"
  EXPECT_TRUE(doc().editor().SymbolListShown);
  ASSERT_EQ(list->count(), 12);
  EXPECT_EQ(list->item(11)->text(), QStringLiteral("終止線"));
  EXPECT_EQ(doc().editor().CurrentGlyph, 7);
  chooseListItem(11);
  EXPECT_EQ(doc().editor().CurrentGlyph, 31);
}

TEST_F(NoteInput, PaletteLayout) {
  NotePaletteWindow &p = palette();
  EXPECT_TRUE(p.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(p.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_EQ(p.size(), QSize(136, 193));
  for (int tag = 1; tag <= 14; ++tag) {
    QToolButton *b = paletteButton(tag);
    EXPECT_EQ(b->geometry(),
              QRect(tag <= 7 ? 0 : 24, 24 * ((tag - 1) % 7), 25, 25));
    EXPECT_FALSE(b->icon().isNull());
  }
  EXPECT_EQ(paletteButton(15)->geometry(), QRect(0, 168, 33, 25));
  EXPECT_EQ(paletteButton(15)->toolTip(), QStringLiteral("一入力消す"));
  EXPECT_EQ(paletteButton(16)->geometry(), QRect(32, 168, 17, 25));
  EXPECT_EQ(paletteButton(17)->geometry(), QRect(56, 8, 38, 17));
  EXPECT_EQ(paletteButton(18)->geometry(), QRect(94, 8, 38, 17));
  EXPECT_EQ(paletteList()->geometry(), QRect(56, 24, 76, 161));
  ASSERT_EQ(paletteList()->count(), 12);
  EXPECT_EQ(paletteList()->item(0)->text(), QStringLiteral("ト音記号"));
}

TEST_F(NoteInput, FoldingTheListKeepsItsState) {
  showPalette();
  chooseListItem(2);
  paletteButton(18)->click();
  paletteButton(16)->click();
  EXPECT_EQ(palette().size(), QSize(NotePaletteWindow::ListHiddenWidth, 193));
  EXPECT_EQ(paletteButton(16)->text(), QStringLiteral(">"));
  // Everything left in view is whole.
  for (QWidget *w : {static_cast<QWidget *>(paletteButton(14)),
                     static_cast<QWidget *>(paletteButton(16))})
    EXPECT_LE(w->geometry().right(), palette().width() - 1);

  palette().close();
  showPalette();
  EXPECT_EQ(palette().width(), NotePaletteWindow::ListHiddenWidth);
  EXPECT_EQ(paletteList()->count(), 10);
  paletteButton(16)->click();
  EXPECT_EQ(palette().size(), QSize(136, 193));
  EXPECT_EQ(paletteButton(16)->text(), QStringLiteral("<"));
}

TEST_F(NoteInput, HidingThePaletteEndsNoteMode) {
  // The tool bar button shows and hides it like the menu item.
  toolButton("SpeedButton1")->click();
  ASSERT_TRUE(palette().isVisible());
  EXPECT_TRUE(action("Palette1")->isChecked());
  toolButton("SpeedButton1")->click();
  EXPECT_FALSE(palette().isVisible());

  showPalette();
  palette().close();  // the close box
  EXPECT_FALSE(doc().editor().Mode == EditMode::Note);
  EXPECT_FALSE(toolButton("SpeedButton1")->isChecked());
  EXPECT_FALSE(action("Palette1")->isChecked());
  EXPECT_EQ(canvasView()->cursor().shape(), Qt::ArrowCursor);
  click(100, 100);
  click(100, 100, Qt::RightButton);
  EXPECT_EQ(page().count(), 0);
  EXPECT_EQ(doc().editor().FlipToggle, 0);
  EXPECT_FALSE(page().Modified);
}

TEST_F(NoteInput, PaletteUndoTakesBackTheLastInput) {
  showPalette();
  click(100, 48);
  paletteButton(2)->click();
  click(200, 48);
  paletteButton(15)->click();
  EXPECT_EQ(page().count(), 1);
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"`14", "100", "48"}));
}
