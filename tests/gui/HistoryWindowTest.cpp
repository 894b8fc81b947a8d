#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "InputFixture.h"
#include "edit/windows/RectEditWindow.h"
#include "edit/windows/StepEraseWindow.h"
#include "score/render/Canvas.h"
#include "score/windows/StaffPaperDialog.h"
#include "support/TestFiles.h"

// The page's history through the real windows: the Edit menus, the keys,
// the canvas after each step and the bytes of the saved file.

namespace {

class HistoryWindow : public InputTest {
 protected:
  HistoryWindow() {
    settings.writeBool(QStringLiteral("Fum"), QStringLiteral("Executive"),
                       true);
    // The first showing reads the settings.
    form().show();
    path =
        scratch.write(QStringLiteral("tour.fum"), quarterNotesPage("tour", 0));
    doc().files().openFile(path);
    saved = readBytes(path);
  }
  // Two staves of eight quarter notes, bar 2 in the second half.
  void stampEightNotes() {
    action("Palette1")->trigger();
    for (int i = 0; i < 8; ++i) click(60 + 60 * i, 40);
    action("Palette1")->trigger();
  }
  // What a save would write now.
  QByteArray savedNow() {
    EXPECT_TRUE(doc().save());
    return readBytes(path);
  }
  QAction *undoItem() { return action("HistoryUndo"); }
  QAction *redoItem() { return action("HistoryRedo"); }
  QImage fresh() {
    Canvas canvas;
    canvas.ResizeCanvas(page().StaffCount, page().StaffWidth);
    canvas.ReplayInputs(page());
    return canvas.image();
  }
  void key(int key, Qt::KeyboardModifiers modifiers) {
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    QTest::keyClick(&form(), Qt::Key(key), modifiers);
  }

  QString path;
  QByteArray saved;
};

}  // namespace

TEST_F(HistoryWindow, ARegionDeleteIsTakenBackFromTheMenuAndTheBytesProveIt) {
  stampEightNotes();
  const QByteArray eight = savedNow();
  action("Rect1")->trigger();
  QTest::mousePress(canvasView(), Qt::LeftButton, {}, {270, 10});
  QTest::mouseMove(canvasView(), {520, 60});
  QTest::mouseRelease(canvasView(), Qt::LeftButton, {}, {520, 60});
  QTest::mouseClick(child<QToolButton>(program->rect(), "SpeedButton5"),
                    Qt::LeftButton);
  ASSERT_EQ(page().count(), 4);
  EXPECT_TRUE(doc().isModified());
  // The rectangle window's own menu offers the step by name.
  QAction *rectUndo = child<QAction>(program->rect(), "HistoryUndo");
  EXPECT_EQ(rectUndo->text(), QStringLiteral("元に戻す: 削除"));
  rectUndo->trigger();
  EXPECT_EQ(page().count(), 8);
  EXPECT_FALSE(doc().isModified()) << "back at the saved page";
  EXPECT_EQ(canvas(), fresh());
  EXPECT_EQ(savedNow(), eight);
  EXPECT_EQ(redoItem()->text(), QStringLiteral("やり直し: 削除"));
}

TEST_F(HistoryWindow, EachPageCommandIsUndoneAndRedoneFromTheEditMenu) {
  stampEightNotes();
  const QByteArray start = savedNow();
  form().setPaperDialogRunner(
      [](StaffPaperDialog &dialog) { emit dialog.confirmed(2, 400); });
  // Step erase takes out the third input; the clef dialog's OK appends
  // its default run.
  form().setDialogRunner([](QDialog &dialog) {
    dialog.show();
    if (qobject_cast<StepEraseWindow *>(&dialog)) {
      child<QScrollBar>(dialog, "ScrollBar1")->setValue(3);
      QTest::mouseClick(child<QPushButton>(dialog, "Button1"), Qt::LeftButton);
    } else {
      QTest::mouseClick(child<QPushButton>(dialog, "Button1"), Qt::LeftButton);
    }
    dialog.close();
  });
  const std::pair<const char *, const char *> commands[] = {
      {"Up1", "全体シフト"},
      {"Down1", "全体シフト"},
      {"Gosensi1", "五線紙の設定"},
      {"Undo1", "一入力消す"}};
  std::map<QString, int> counts{{"Up1", 8},      {"Down1", 8},
                                {"Gosensi1", 8}, {"Undo1", 7},
                                {"Erase1", 7},   {"AutoDraw1", 8 + 2 + 2 * 3}};
  for (const auto &[item, step] : commands) {
    SCOPED_TRACE(item);
    action(item)->trigger();
    const QByteArray after = savedNow();
    ASSERT_NE(after, start);
    EXPECT_EQ(page().count(), counts[item]);
    EXPECT_EQ(undoItem()->text(), QStringLiteral("元に戻す: ") + step);
    undoItem()->trigger();
    EXPECT_EQ(canvas(), fresh());
    EXPECT_EQ(savedNow(), start);
    redoItem()->trigger();
    EXPECT_EQ(canvas(), fresh());
    EXPECT_EQ(savedNow(), after);
    undoItem()->trigger();
    doc().save();
  }
}

TEST_F(HistoryWindow, CtrlZAndCtrlYReachTheHistory) {
  stampEightNotes();
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(page().count(), 7);
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(page().count(), 6);
  key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(page().count(), 7);
  key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(page().count(), 8);
  EXPECT_EQ(canvas(), fresh());
  EXPECT_FALSE(redoItem()->isEnabled());
  EXPECT_EQ(undoItem()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
}

TEST_F(HistoryWindow, AReaderCannotStampAndIsNotAskedToSave) {
  stampEightNotes();
  action("Palette1")->trigger();
  ASSERT_TRUE(palette().isVisible());
  // The About box turned the option off: the page was offered for saving.
  messages.answers = {Messages::Answer::Yes};
  ASSERT_TRUE(doc().setExecutive(false));
  EXPECT_FALSE(palette().isVisible());
  const QByteArray kept = readBytes(path);
  click(300, 100);
  EXPECT_EQ(page().count(), 8);
  EXPECT_FALSE(undoItem()->isEnabled());
  messages = ScriptedMessages();
  doc().files().openFile(path);
  EXPECT_EQ(messages.shown.size(), 0);
  EXPECT_EQ(readBytes(path), kept);
}
