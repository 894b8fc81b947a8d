#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QToolButton>

#include "InputFixture.h"
#include "edit/windows/RectEditWindow.h"

namespace {

class LetterInput : public InputTest {
 protected:
  void showLetterWindow() {
    action("Letter1")->trigger();
    ASSERT_TRUE(letter().isVisible());
  }
  void type(const QString &text) { letterField()->setText(text); }
};

using EditModes = InputTest;

}  // namespace

TEST_F(EditModes, ShowingTheLetterWindowEndsNoteMode) {
  action("Palette1")->trigger();
  ASSERT_TRUE(doc().editor().Mode == EditMode::Note);
  action("Letter1")->trigger();
  EXPECT_FALSE(palette().isVisible());
  EXPECT_FALSE(action("Palette1")->isChecked());
  EXPECT_FALSE(toolButton("SpeedButton1")->isChecked());
  EXPECT_FALSE(doc().editor().Mode == EditMode::Note);
  EXPECT_TRUE(doc().editor().Mode == EditMode::Letter);
  EXPECT_TRUE(toolButton("SpeedButton2")->isChecked());
  EXPECT_TRUE(action("Letter1")->isChecked());
  EXPECT_EQ(canvasView()->cursor().shape(), Qt::CrossCursor);
  EXPECT_EQ(form().canvasCursorId(), 0);
}

TEST_F(EditModes, RectangleModeTakesOverAndGivesBack) {
  action("Letter1")->trigger();
  action("Rect1")->trigger();
  EXPECT_FALSE(letter().isVisible());
  EXPECT_FALSE(doc().editor().Mode == EditMode::Letter);
  EXPECT_FALSE(toolButton("SpeedButton2")->isChecked());
  EXPECT_TRUE(doc().editor().Mode == EditMode::Rect);
  EXPECT_TRUE(toolButton("SpeedButton8")->isChecked());
  EXPECT_TRUE(action("Rect1")->isChecked());
  EXPECT_FALSE(menu("Edit1")->menuAction()->isEnabled());
  EXPECT_EQ(canvasView()->cursor().shape(), Qt::UpArrowCursor);
  // A click in rectangle mode places nothing.
  letterField()->setText(QStringLiteral("x"));
  click(100, 100);
  click(100, 100, Qt::RightButton);
  EXPECT_EQ(page().count(), 0);

  action("Palette1")->trigger();
  EXPECT_FALSE(program->rect().isVisible());
  EXPECT_FALSE(doc().editor().Mode == EditMode::Rect);
  EXPECT_FALSE(toolButton("SpeedButton8")->isChecked());
  EXPECT_FALSE(action("Rect1")->isChecked());
  EXPECT_TRUE(menu("Edit1")->menuAction()->isEnabled());
  EXPECT_EQ(form().canvasCursorId(), 15);  // the glyph cursor won

  action("Rect1")->trigger();
  action("Rect1")->trigger();
  EXPECT_FALSE(doc().editor().Mode == EditMode::Rect);
  EXPECT_FALSE(doc().editor().Mode == EditMode::Note);
  EXPECT_EQ(canvasView()->cursor().shape(), Qt::ArrowCursor);
  // The tool bar buttons: at most one down at any time.
  int down = 0;
  for (const char *name : {"SpeedButton1", "SpeedButton2", "SpeedButton8"})
    down += toolButton(name)->isChecked();
  EXPECT_EQ(down, 0);
}

// A click without a text brings the keyboard to the field.
TEST_F(LetterInput, EmptyTextFocusesTheField) {
  showLetterWindow();
  QWidget elsewhere;  // holds the keyboard when the click comes
  elsewhere.show();
  elsewhere.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
  click(50, 50);
  EXPECT_EQ(page().count(), 0);
  EXPECT_EQ(messages.beeps, 1);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&letter()));
  EXPECT_TRUE(letterField()->hasFocus());
}

TEST_F(LetterInput, TextLandsWhereClickedWithoutSnapping) {
  showLetterWindow();
  type(QStringLiteral("Allegro"));
  const QImage before = canvas();
  click(30, 50);
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"Allegro", "30", "50"}));
  EXPECT_TRUE(page().Modified);
  // The text's top-left corner is the clicked point.
  const QList<QPoint> changed = changedPixels(before, canvas());
  ASSERT_FALSE(changed.isEmpty());
  QRect ink;
  for (const QPoint &p : changed) ink |= QRect(p, QSize(1, 1));
  EXPECT_GE(ink.left(), 30);
  EXPECT_GE(ink.top(), 50);
  EXPECT_LE(ink.left(), 32);
  EXPECT_LT(ink.bottom(), 50 + 16);

  // The text stays for the next click; right clicks place nothing.
  EXPECT_EQ(letterField()->text(), QStringLiteral("Allegro"));
  click(31, 51);
  click(31, 51, Qt::RightButton);
  EXPECT_EQ(page().count(), 2);
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"Allegro", "31", "51"}));
}

TEST_F(LetterInput, ClearAndUndoButtons) {
  showLetterWindow();
  QToolButton *clear = child<QToolButton>(letter(), "SpeedButton1");
  QToolButton *undo = child<QToolButton>(letter(), "SpeedButton2");
  type(QStringLiteral("p"));
  click(10, 10);
  type(QStringLiteral("f"));
  click(20, 10);
  undo->click();
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"p", "10", "10"}));
  clear->click();
  EXPECT_TRUE(letterField()->text().isEmpty());
  EXPECT_EQ(clear->toolTip(), QStringLiteral("空にする"));
  EXPECT_EQ(undo->toolTip(), QStringLiteral("一入力消す"));
  EXPECT_EQ(letter().size(), QSize(151, 53));
  EXPECT_EQ(letterField()->geometry(), QRect(8, 8, 137, 20));
}

// A refused text stays in the field to be mended.
TEST_F(LetterInput, ARefusedTextStaysInTheField) {
  showLetterWindow();
  type(QStringLiteral("♪𠮷と😀𠮷"));
  click(10, 20);
  EXPECT_EQ(page().count(), 0);
  EXPECT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(letterField()->text(), QStringLiteral("♪𠮷と😀𠮷"));
}

TEST_F(LetterInput, UndoMenuRedrawsTheCanvasWithoutTheLastInput) {
  EXPECT_TRUE(action("Undo1")->isEnabled());
  action("Palette1")->trigger();
  const QImage empty = canvas();
  click(100, 48);
  const QImage one = canvas();
  action("Letter1")->trigger();
  type(QStringLiteral("dolce"));
  click(100, 50);  // overlaps the note
  action("Undo1")->trigger();
  EXPECT_EQ(page().count(), 1);
  EXPECT_EQ(canvas(), one);
  action("Undo1")->trigger();
  EXPECT_EQ(canvas(), empty);
}
