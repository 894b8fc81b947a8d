#include <QAction>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "app/windows/TextWindow.h"
#include "score/core/TextEntry.h"
#include "support/ProgramFixture.h"

// Keys read by the real windows before their controls, and the text
// window's button, menu item and memo.

namespace {

class KeysAndText : public ProgramTest {
 protected:
  QWidget &text() { return program->text(); }
  // Where a key typed into the window arrives: its focused control.
  QWidget *keys(QWidget &window) {
    window.activateWindow();
    QApplication::processEvents();
    QWidget *focus = QApplication::focusWidget();
    return focus && focus->window() == &window ? focus : &window;
  }
  QScrollBar *vertical() {
    return child<QScrollArea>(form(), "ScrollBox1")->verticalScrollBar();
  }
};

}  // namespace

TEST_F(KeysAndText, HeldF1ShowsTheKeyHelpUntilItIsLetGo) {
  for (QWidget *window : {static_cast<QWidget *>(&form()), &text()}) {
    const QString caption = window->windowTitle();
    QTest::keyPress(window, Qt::Key_F1);
    QTest::keyPress(window, Qt::Key_F1, Qt::NoModifier);  // repeating
    EXPECT_EQ(window->windowTitle(), KeyHelpCaption::text());
    QTest::keyRelease(window, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(window->windowTitle(), caption);
  }
}

TEST_F(KeysAndText, PageKeysScrollTheStaffPaperWithinItsRange) {
  doc().edits().newPageOfStaves(8);
  form().resize(320, 200);
  form().show();
  QApplication::processEvents();
  ASSERT_GT(vertical()->maximum(), 16);
  vertical()->setValue(vertical()->maximum());
  QTest::keyClick(keys(form()), Qt::Key_PageDown);
  EXPECT_EQ(vertical()->value(), vertical()->maximum());
  QTest::keyClick(keys(form()), Qt::Key_PageUp);
  EXPECT_EQ(vertical()->value(), vertical()->maximum() - 8);
  // The text window pages through its own text instead.
  text().show();
  QTest::keyClick(keys(text()), Qt::Key_PageUp);
  EXPECT_EQ(vertical()->value(), vertical()->maximum() - 8);
}

TEST_F(KeysAndText, F2TheButtonAndTheMenuItemShowAndHideTheTextWindow) {
  form().show();
  text().show();
  QToolButton *button = toolButton("SpeedButton3");
  QAction *item = action("TextWindow1");
  auto shown = [&](bool expected) {
    EXPECT_EQ(text().isVisible(), expected);
    EXPECT_EQ(button->isChecked(), expected);
    EXPECT_EQ(item->isChecked(), expected);
  };
  shown(true);
  QTest::keyClick(keys(text()), Qt::Key_F2);
  shown(false);
  QTest::keyClick(keys(form()), Qt::Key_F2);
  shown(true);
  QTest::mouseClick(button, Qt::LeftButton);
  shown(false);
  item->trigger();
  shown(true);
  text().close();  // its close box
  shown(false);
}

TEST_F(KeysAndText, TheMemoTakesTypingOnlyWithTheExecutiveOption) {
  doc().session().setExecutive(false);
  QTest::keyClicks(memo(), QStringLiteral("abc"));
  EXPECT_TRUE(memo()->toPlainText().isEmpty());
  EXPECT_FALSE(doc().isModified());
  doc().session().setExecutive(true);
  QTest::keyClicks(memo(), QStringLiteral("abc"));
  EXPECT_EQ(memo()->toPlainText(), QStringLiteral("abc"));
  EXPECT_EQ(page().PageText, "abc");
  EXPECT_TRUE(doc().isModified());
}

TEST_F(KeysAndText, TheMemoDropsWhatThePageCannotHoldNamingItOnce) {
  doc().session().setExecutive(true);
  QPlainTextEdit *typing = memo();
  const struct Step {
    std::function<void()> edit;
    QString shown;
    int cursor;
    QString named;  // empty: no message
  } steps[] = {
      {[&] {
         QTest::keyClicks(typing, QStringLiteral("ab"));
         QTest::sendKeyEvent(QTest::Click, typing, Qt::Key_unknown,
                             QStringLiteral("€"), {});
         QTest::keyClicks(typing, QStringLiteral("c"));
       },
       QStringLiteral("abc"), 3, QStringLiteral("€")},
      {[&] {
         typing->moveCursor(QTextCursor::Start);
         QApplication::clipboard()->setText(QStringLiteral("x♩😀y♩\n"));
         typing->paste();
       },
       QStringLiteral("xy\nabc"), 3, QStringLiteral("♩😀")},
      {[&] { QTest::keyClicks(typing, QStringLiteral("z")); },
       QStringLiteral("xy\nzabc"),
       4,
       {}},
  };
  for (const Step &step : steps) {
    SCOPED_TRACE(step.shown.toStdString());
    messages.shown.clear();
    step.edit();
    QApplication::processEvents();  // the box waits for the edit to end
    EXPECT_EQ(typing->toPlainText(), step.shown);
    EXPECT_EQ(page().PageText, step.shown.toUtf8().replace("\n", "\r\n"));
    EXPECT_EQ(typing->textCursor().position(), step.cursor);
    EXPECT_EQ(messages.texts(),
              step.named.isEmpty()
                  ? QStringList()
                  : QStringList{text_entry::unheldMessage(step.named)});
  }
}
