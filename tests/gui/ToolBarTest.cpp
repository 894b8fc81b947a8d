#include <QAction>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "app/windows/TextWindow.h"
#include "support/ProgramFixture.h"

namespace {

class ToolBar : public ProgramTest {
 protected:
  ToolBar() { doc().session().setExecutive(true); }
};

// Each tool bar button and the menu item of the same command.
const std::pair<const char *, const char *> sharedCommands[] = {
    {"SpeedButton1", "Palette1"},
    {"SpeedButton2", "Letter1"},
    {"SpeedButton8", "Rect1"},
    {"SpeedButton3", "TextWindow1"}};

}  // namespace

TEST_F(ToolBar, ButtonAndMenuItemOfACommandAlwaysAgree) {
  for (const auto &[buttonName, itemName] : sharedCommands) {
    SCOPED_TRACE(buttonName);
    QToolButton *button = toolButton(buttonName);
    QAction *item = action(itemName);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(button->isChecked());
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(button->isChecked());
  }
}

TEST_F(ToolBar, ButtonsStandInARowWithoutOverlapping) {
  form().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
  for (const bool executive : {true, false}) {
    SCOPED_TRACE(executive);
    doc().session().setExecutive(executive);
    int right = 0;
    for (const char *name :
         {"SpeedButton1", "SpeedButton2", "SpeedButton8", "SpeedButton3",
          "SpeedButton9", "SpeedButton10", "SpeedButton11"}) {
      const QToolButton *button = toolButton(name);
      if (button->isHidden()) continue;
      EXPECT_GE(button->x(), right) << name;
      EXPECT_EQ(button->size(), QSize(25, 25)) << name;
      right = button->geometry().right() + 1;
    }
    EXPECT_EQ(toolButton("SpeedButton3")->x(),
              8 + (executive ? 3 * 25 + 7 : 0));
  }
}

TEST_F(ToolBar, TextWindowShowsThePageTextOnceTheMainWindowHasPainted) {
  // The page the program is started with, shown as it starts.
  start({scratch.write(QStringLiteral("t.fum"),
                       "Fum[t]\r\n~first|second|\r\n^1|4|610|\r\nEnd[t]\r\n")});
  form().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
  // Read without asking for it: the memo must get the text by itself.
  auto *shown =
      child<QPlainTextEdit>(*form().findChild<TextWindow *>(), "Memo1");
  const bool filled =
      QTest::qWaitFor([&] { return !shown->toPlainText().isEmpty(); });
  EXPECT_TRUE(filled);
  EXPECT_EQ(shown->toPlainText(), QStringLiteral("first\nsecond\n"));
}

// The pictures built before the first paint, read without the image
// plugins, are the pictures of their files.
TEST_F(ToolBar, PicturesReadAtStartAreTheirFiles) {
  const std::pair<QIcon, const char *> pictures[] = {
      {toolButton("SpeedButton9")->icon(), ":/pictures/play.xpm"},
      {toolButton("SpeedButton10")->icon(), ":/pictures/stop.xpm"},
      {toolButton("SpeedButton11")->icon(), ":/pictures/tostart.xpm"},
      {child<QToolButton>(*form().menuBar(), "qt_menubar_ext_button")->icon(),
       ":/qt-project.org/styles/commonstyle/images/toolbar-ext-h-16.png"}};
  for (const auto &[icon, file] : pictures) {
    SCOPED_TRACE(file);
    const QImage expected(QString::fromLatin1(file));
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(icon.pixmap(expected.size())
                  .toImage()
                  .convertToFormat(QImage::Format_ARGB32),
              expected.convertToFormat(QImage::Format_ARGB32));
  }
}
