#include <QAction>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "app/windows/FirstPaint.h"
#include "app/windows/TextWindow.h"
#include "support/ProgramFixture.h"

using Startup = ProgramTest;

TEST_F(Startup, FirstStartWithoutSettingsUsesEveryDefault) {
  form().FormShow();
  EXPECT_EQ(form().pos(), QPoint(0, 0));
  EXPECT_EQ(form().size(), QSize(640, 455));
  EXPECT_FALSE(form().isMaximized());
  EXPECT_TRUE(program->text().isVisible());
  EXPECT_EQ(program->text().pos(), QPoint(14, 309));
  EXPECT_EQ(program->text().size(), QSize(500, 136));
  EXPECT_EQ(doc().session().maxChar(), 79);
  EXPECT_FALSE(doc().session().executive());
  // Reader mode: the editing tools are hidden and the tool bar moves left.
  EXPECT_TRUE(toolButton("SpeedButton1")->isHidden());
  EXPECT_EQ(toolButton("SpeedButton3")->x(), 8);
  EXPECT_TRUE(memo()->isReadOnly());
  EXPECT_EQ(page().count(), 0);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("(NoFile)"));
  EXPECT_TRUE(messages.shown.isEmpty());
}

// The windows' places and what the settings tell them come back after a
// restart, and the shut-down writes the page reached in a course.
TEST_F(Startup, SettingsWrittenByOneRunAreReadByTheNext) {
  form().FormShow();
  form().move(120, 90);
  form().resize(700, 500);
  program->text().move(30, 400);
  program->text().resize(300, 200);
  doc().session().setExecutive(true);
  scratch.write(QStringLiteral("a.fum"), "Fum[a]\r\n^1|4|610|\r\nEnd[a]\r\n");
  doc().files().openFile(
      scratch.write(QStringLiteral("練習.vrn"), "a\r\na\r\na\r\na\r\n"));
  doc().navigator().selectEntry(3);
  ASSERT_EQ(doc().navigator().course().ContentsIndex, 3);
  doc().session().addRecentFile(QStringLiteral("/tmp/ä ü/曲.fum"));
  doc().session().addRecentFile(QStringLiteral("/tmp/b.fum"));
  ASSERT_TRUE(form().writeSettings());
  EXPECT_EQ(settings.readInteger(QStringLiteral("Vrn"),
                                 QStringLiteral("練習.vrn"), 0),
            3);

  start();
  form().FormShow();
  EXPECT_EQ(form().pos(), QPoint(120, 90));
  EXPECT_EQ(form().size(), QSize(700, 500));
  EXPECT_EQ(program->text().pos(), QPoint(30, 400));
  EXPECT_EQ(program->text().size(), QSize(300, 200));
  EXPECT_FALSE(toolButton("SpeedButton1")->isHidden());
  EXPECT_EQ(action("ReOpen2")->text(), QStringLiteral("曲.fum"));
}

TEST_F(Startup, WindowsAreBroughtWhollyOnScreen) {
  settings.writeInteger(QStringLiteral("MainForm"), QStringLiteral("Top"), 900);
  settings.writeInteger(QStringLiteral("MainForm"), QStringLiteral("Left"),
                        -40);
  settings.writeInteger(QStringLiteral("MainForm"), QStringLiteral("Width"),
                        2147483647);
  settings.writeInteger(QStringLiteral("TextForm"), QStringLiteral("Left"),
                        1024);
  settings.writeInteger(QStringLiteral("TextForm"), QStringLiteral("Top"),
                        -5000);
  screen = QSize(1024, 768);
  start();
  form().FormShow();
  EXPECT_EQ(QRect(form().pos(), form().size()), QRect(0, 313, 1024, 455));
  EXPECT_EQ(QRect(program->text().pos(), program->text().size()),
            QRect(524, 0, 500, 136));
}

TEST_F(Startup, AWindowStoredSmallerThanItCanBeStaysOnScreen) {
  for (const char *form : {"MainForm", "TextForm"}) {
    const QString section = QString::fromLatin1(form);
    settings.writeInteger(section, QStringLiteral("Left"), 1014);
    settings.writeInteger(section, QStringLiteral("Top"), 758);
    settings.writeInteger(section, QStringLiteral("Width"), 10);
    settings.writeInteger(section, QStringLiteral("Height"), 10);
  }
  screen = QSize(1024, 768);
  start();
  // However large the least size the window's layout needs.
  QWidget *const windows[] = {&form(), &program->text()};
  for (QWidget *window : windows) window->setMinimumSize(219, 150);
  form().FormShow();
  for (QWidget *window : windows) {
    const QRect shown(window->pos(), window->size());
    EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(shown))
        << shown.x() << "," << shown.y() << " " << shown.width() << "x"
        << shown.height();
  }
}

TEST_F(Startup, ClosingWhileMaximizedKeepsTheNormalBounds) {
  form().FormShow();
  form().move(50, 60);
  form().resize(800, 600);
  ASSERT_TRUE(form().writeSettings());
  form().setWindowState(Qt::WindowMaximized);
  ASSERT_TRUE(form().writeSettings());
  const QString section = QStringLiteral("MainForm");
  EXPECT_TRUE(settings.readBool(section, QStringLiteral("Maximized"), false));
  EXPECT_EQ(settings.readInteger(section, QStringLiteral("Left"), 0), 50);
  EXPECT_EQ(settings.readInteger(section, QStringLiteral("Width"), 0), 800);
  start();
  form().FormShow();
  EXPECT_TRUE(form().windowState() & Qt::WindowMaximized);
}

TEST_F(Startup, UnwritableSettingsAreReportedButDoNotKeepTheWindowOpen) {
  // A settings "folder" that is a plain file cannot hold the settings file.
  scratch.write(QStringLiteral("blocked"), "x");
  SettingsFile blocked(scratch.file(QStringLiteral("blocked/Vrn32.ini")));
  const MainWindow::Services services{
      messages, player,
      blocked,  scratch.file(QStringLiteral("program/")),
      {},       [this] { return screen; }};
  Program other(services);
  other.main().show();
  EXPECT_TRUE(other.main().close());
  EXPECT_FALSE(other.main().isVisible());
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown.last().text,
            "「" + blocked.path() +
                QStringLiteral(
                    "」に書き込めません（保存先のフォルダーがありません）."));
  EXPECT_EQ(messages.shown.last().icon, Messages::Icon::Stop);
}

TEST_F(Startup, RelativeStartFileIsFoundFromTheProgramFolder) {
  const QByteArray pageBytes =
      "Fum[lesson]\r\n^1|4|610|`14|100|48|\r\nEnd[lesson]\r\n";
  scratch.write(QStringLiteral("program/lesson.fum"), pageBytes);
  start({QStringLiteral("lesson.fum")});
  form().FormShow();
  EXPECT_EQ(page().count(), 1);
  EXPECT_EQ(QFileInfo(page().PagePath).fileName(),
            QStringLiteral("lesson.fum"));
  EXPECT_EQ(form().windowTitle(), QStringLiteral("lesson.fum"));
}

// The text window waits for the main window's first paint, its button on
// from the start, and leaves the main window the keys; hidden meanwhile
// (the main window closing), it stays so.
TEST_F(Startup, TheTextWindowFollowsTheFirstPaint) {
  for (const bool hiddenMeanwhile : {false, true}) {
    start();
    TextWindow &text = *form().findChild<TextWindow *>();
    bool textShownAtFirstPaint = true;
    afterFirstPaint(form(), [&] { textShownAtFirstPaint = text.isVisible(); });
    form().show();
    EXPECT_TRUE(toolButton("SpeedButton3")->isChecked());
    if (hiddenMeanwhile) text.hide();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    QTest::qWait(50);
    EXPECT_FALSE(textShownAtFirstPaint);
    EXPECT_EQ(text.isVisible(), !hiddenMeanwhile) << hiddenMeanwhile;
    EXPECT_TRUE(form().isActiveWindow());
  }
}
