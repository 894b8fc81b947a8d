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
    form().Letter1->trigger();
    ASSERT_TRUE(letter().isVisible());
  }
  void type(const QString &text) { letter().Edit1->setText(text); }
};

using EditModes = InputTest;

}  // namespace

TEST_F(EditModes, ShowingTheLetterWindowEndsNoteMode) {
  form().Palette1->trigger();
  ASSERT_TRUE(form().editor.NoteMode);
  form().Letter1->trigger();
  EXPECT_FALSE(palette().isVisible());
  EXPECT_FALSE(form().Palette1->isChecked());
  EXPECT_FALSE(form().SpeedButton1->isChecked());
  EXPECT_FALSE(form().editor.NoteMode);
  EXPECT_TRUE(form().editor.LetterMode);
  EXPECT_TRUE(form().SpeedButton2->isChecked());
  EXPECT_TRUE(form().Letter1->isChecked());
  EXPECT_EQ(form().Image1->cursor().shape(), Qt::CrossCursor);
  EXPECT_EQ(form().Image1CursorId, 0);
}

TEST_F(EditModes, RectangleModeTakesOverAndGivesBack) {
  form().Letter1->trigger();
  form().Rect1->trigger();
  EXPECT_FALSE(letter().isVisible());
  EXPECT_FALSE(form().editor.LetterMode);
  EXPECT_FALSE(form().SpeedButton2->isChecked());
  EXPECT_TRUE(form().editor.RectMode);
  EXPECT_TRUE(form().SpeedButton8->isChecked());
  EXPECT_TRUE(form().Rect1->isChecked());
  EXPECT_FALSE(form().EditMenuAction->isEnabled());
  EXPECT_EQ(form().Image1->cursor().shape(), Qt::UpArrowCursor);
  // A click in rectangle mode places nothing.
  letter().Edit1->setText(QStringLiteral("x"));
  click(100, 100);
  click(100, 100, Qt::RightButton);
  EXPECT_EQ(form().page.count(), 0);

  form().Palette1->trigger();
  EXPECT_FALSE(program->Form9->isVisible());
  EXPECT_FALSE(form().editor.RectMode);
  EXPECT_FALSE(form().SpeedButton8->isChecked());
  EXPECT_FALSE(form().Rect1->isChecked());
  EXPECT_TRUE(form().EditMenuAction->isEnabled());
  EXPECT_EQ(form().Image1CursorId, 15);  // the glyph cursor won

  form().Rect1->trigger();
  form().Rect1->trigger();
  EXPECT_FALSE(form().editor.RectMode);
  EXPECT_FALSE(form().editor.NoteMode);
  EXPECT_EQ(form().Image1->cursor().shape(), Qt::ArrowCursor);
  // The tool bar buttons: at most one down at any time.
  int down = 0;
  for (QToolButton *b :
       {form().SpeedButton1, form().SpeedButton2, form().SpeedButton8})
    down += b->isChecked();
  EXPECT_EQ(down, 0);
}

TEST_F(LetterInput, EmptyTextBeepsAndFocusesTheField) {
  showLetterWindow();
  QWidget elsewhere;  // holds the keyboard when the click comes
  elsewhere.show();
  elsewhere.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
  for (bool modified : {false, true}) {
    form().page.Modified = modified;
    click(50, 50);
    EXPECT_EQ(form().page.count(), 0);
    EXPECT_EQ(form().page.Modified, modified);
  }
  EXPECT_EQ(messages.beeps, 2);
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_TRUE(QTest::qWaitForWindowActive(&letter()));
  EXPECT_TRUE(letter().Edit1->hasFocus());
}

TEST_F(LetterInput, TextLandsWhereClickedWithoutSnapping) {
  showLetterWindow();
  type(QStringLiteral("Allegro"));
  const QImage before = canvas();
  click(30, 50);
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"Allegro", "30", "50"}));
  EXPECT_TRUE(form().page.Modified);
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
  EXPECT_EQ(letter().Edit1->text(), QStringLiteral("Allegro"));
  click(31, 51);
  click(31, 51, Qt::RightButton);
  EXPECT_EQ(form().page.count(), 2);
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"Allegro", "31", "51"}));
}

TEST_F(LetterInput, ClearAndUndoButtons) {
  showLetterWindow();
  type(QStringLiteral("p"));
  click(10, 10);
  type(QStringLiteral("f"));
  click(20, 10);
  letter().SpeedButton2->click();  // "Undo"
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"p", "10", "10"}));
  letter().SpeedButton1->click();  // "Clear"
  EXPECT_TRUE(letter().Edit1->text().isEmpty());
  EXPECT_EQ(letter().SpeedButton1->toolTip(), QStringLiteral("空にする"));
  EXPECT_EQ(letter().SpeedButton2->toolTip(), QStringLiteral("一入力消す"));
  EXPECT_EQ(letter().size(), QSize(151, 53));
  EXPECT_EQ(letter().Edit1->geometry(), QRect(8, 8, 137, 20));
}

TEST_F(LetterInput, TextsAreMadeReadableBack) {
  showLetterWindow();
  type(QStringLiteral("a|b"));
  click(10, 20);
  EXPECT_EQ(lastInput()[0], sjis(QStringLiteral("a｜b")));
  type(QStringLiteral("`13"));
  click(10, 40);
  EXPECT_EQ(lastInput()[0], sjis(QStringLiteral("｀13")));
  type(QStringLiteral("ポ"));  // its trail byte is the code of "|"
  click(10, 60);
  EXPECT_EQ(lastInput()[0], QByteArray("\x83\x7C"));
  EXPECT_TRUE(messages.shown.isEmpty());

  // Saved and read back, each comes back as placed, and as text.
  form().page.PagePath = scratch.file(QStringLiteral("texts.fum"));
  form().SavePage();
  form().LoadPage();
  ASSERT_EQ(form().page.count(), 3);
  EXPECT_EQ(form().page.ContentList[0], sjis(QStringLiteral("a｜b")));
  EXPECT_EQ(form().page.ContentList[1], sjis(QStringLiteral("｀13")));
  EXPECT_EQ(form().page.YList[2], "60");
}

TEST_F(LetterInput, CharactersOutsideShiftJisAreRefusedByName) {
  showLetterWindow();
  form().page.Modified = false;
  type(QStringLiteral("♪𠮷と😀𠮷"));
  click(10, 20);
  EXPECT_EQ(form().page.count(), 0);
  EXPECT_FALSE(form().page.Modified);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Error);
  EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("「𠮷😀」")))
      << messages.shown[0].text.toStdString();
  EXPECT_EQ(letter().Edit1->text(), QStringLiteral("♪𠮷と😀𠮷"));
}

TEST_F(LetterInput, UndoMenuTakesBackOneInputAtATime) {
  EXPECT_TRUE(form().Undo1->isEnabled());
  form().Undo1->trigger();
  EXPECT_EQ(messages.beeps, 1);
  EXPECT_FALSE(form().page.Modified);

  form().Palette1->trigger();
  const QImage empty = canvas();
  click(100, 48);
  const QImage one = canvas();
  form().Letter1->trigger();
  type(QStringLiteral("dolce"));
  click(100, 50);  // overlaps the note
  form().page.Modified = false;
  form().Undo1->trigger();
  EXPECT_EQ(form().page.count(), 1);
  EXPECT_TRUE(form().page.Modified);
  EXPECT_EQ(canvas(), one);
  form().Undo1->trigger();
  EXPECT_EQ(canvas(), empty);
  form().Undo1->trigger();
  EXPECT_EQ(messages.beeps, 2);
}
