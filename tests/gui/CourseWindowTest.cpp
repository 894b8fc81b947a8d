#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/windows/CourseWindow.h"
#include "support/ProgramFixture.h"
#include "support/TestFiles.h"

// The contents editor through its real window: a small course made from
// nothing, with the buttons, the keys, a drag and the saved bytes.

namespace {

class CourseWindowTest : public ProgramTest {
 protected:
  CourseWindowTest() {
    settings.writeBool(QStringLiteral("Fum"), QStringLiteral("Executive"),
                       true);
    form().show();
  }
  void press(QWidget &window, const char *button) {
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
  }
  void key(QWidget &window, int key, Qt::KeyboardModifiers modifiers) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key(key), modifiers);
  }
};

}  // namespace

TEST_F(CourseWindowTest, ASmallCourseIsMadeAndSaved) {
  const QByteArray fum = quarterNotesPage("p", 1);
  const QString a = scratch.write(QStringLiteral("c/a.fum"), fum);
  const QString b = scratch.write(QStringLiteral("c/b.fum"), fum);
  const QString s = scratch.write(QStringLiteral("c/sub/s.fum"), fum);
  const QString vrn = scratch.file(QStringLiteral("c/new.vrn"));

  messages.paths = {vrn};
  action("NewContents")->trigger();
  auto &window = *child<CourseWindow>(form(), "CourseWindow");
  auto *list = child<QListWidget>(window, "ContentsEntryList");

  auto *title = child<QLineEdit>(window, "ContentsTitleEdit");
  title->setFocus();
  title->setText(QStringLiteral("初歩"));
  QTest::keyClick(title, Qt::Key_Return);

  messages.paths = {QStringList{a, b, s}.join('\n')};
  press(window, "ContentsAddFilesButton");
  ASSERT_EQ(list->count(), 3);

  list->setCurrentRow(2);
  key(window, Qt::Key_Right, Qt::ControlModifier);  // indent sub\s
  key(window, Qt::Key_Up, Qt::ControlModifier);     // above b
  EXPECT_EQ(list->item(1)->text(), QStringLiteral("  sub\\s"));
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_EQ(child<QAction>(window, "ContentsUndo")->text(),
            QStringLiteral("元に戻す: 上へ"));
  key(window, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(list->item(2)->text(), QStringLiteral("  sub\\s"));
  key(window, Qt::Key_Y, Qt::ControlModifier);

  // A drag: the list moves the row, the course follows.
  list->model()->moveRow({}, 0, {}, 3);
  QAction *undo = child<QAction>(window, "ContentsUndo");
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return undo->text() == QStringLiteral("元に戻す: 下へ"); }, 2000));
  EXPECT_EQ(list->item(2)->text(), QStringLiteral("a"));
  // A missing page is marked with its reason.
  QFile::remove(b);
  key(window, Qt::Key_Right, Qt::ControlModifier);
  key(window, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_FALSE(list->item(1)->toolTip().isEmpty());

  messages.answers = {Messages::Answer::Yes};
  press(window, "ContentsSaveButton");
  EXPECT_TRUE(messages.texts().last().contains(QStringLiteral("1 項目")));
  EXPECT_EQ(readBytes(vrn), sjis("/初歩\r\n  sub\\s\r\nb\r\na\r\n"));

  // The chosen entry's page opens in the main window.
  list->setCurrentRow(2);
  press(window, "ContentsOpenPageButton");
  EXPECT_EQ(page().PagePath, a);

  // A reader has no contents editor.
  ASSERT_TRUE(doc().setExecutive(false));
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(action("NewContents")->isVisible());
  EXPECT_FALSE(action("EditContents")->isVisible());
}
