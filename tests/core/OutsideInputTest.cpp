#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <climits>

#include "app/core/WindowLayout.h"
#include "files/core/ContentsFile.h"
#include "support/DocumentSession.h"
#include "support/TestFiles.h"

// Input from outside the program that must not stall or swamp the window:
// files that are not regular files, window places from an old or hostile
// settings file, huge contents files and courses with a page missing.

namespace {

const QByteArray OnePage = "Fum[one]\r\n^1|4|610|`14|40|48|\r\nEnd[one]\r\n";

class OutsideInput : public ::testing::Test, protected DocumentSession {};

}  // namespace

TEST_F(OutsideInput, FilesThatAreNotRegularFilesAreRefusedByName) {
  const QString shown = scratch.write(QStringLiteral("one.fum"), OnePage);
  const QString fifo = scratch.file(QStringLiteral("pipe.fum"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString zero = scratch.file(QStringLiteral("zero.vrn"));
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
  const QString folder = scratch.file(QStringLiteral("folder.fum"));
  ASSERT_TRUE(QDir().mkpath(folder));
  for (const QString &path : {fifo, zero, folder}) {
    SCOPED_TRACE(path.toStdString());
    doc.OpenFile(shown);
    messages = ScriptedMessages();
    doc.OpenFile(path);  // a FIFO would block here, /dev/zero never end
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("ファイル「%1」が見つかりません。")
                              .arg(QFileInfo(path).fileName())});
    EXPECT_EQ(doc.page().PagePath, shown);
    EXPECT_EQ(doc.page().count(), 1);
  }
}

TEST_F(OutsideInput, WindowsComeWhollyOntoTheScreen) {
  const QSize screen(1024, 768);
  const struct {
    int left, top, width, height;
    QRect fitted;
  } cases[] = {
      {10, 20, 640, 455, {10, 20, 640, 455}},            // already on it
      {-5000, -300, 640, 455, {0, 0, 640, 455}},         // left and top
      {900, 700, 640, 455, {384, 313, 640, 455}},        // right and bottom
      {INT_MAX, INT_MIN, 500, 136, {524, 0, 500, 136}},  // no overflow
      {0, 0, INT_MAX, INT_MAX, {0, 0, 1024, 768}},       // no giant window
      {300, 300, -7, 0, {300, 300, 100, 100}},           // never unseen
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " " << c.width
                                    << "x" << c.height);
    const QString section = QStringLiteral("TextForm");
    settings.writeInteger(section, QStringLiteral("Left"), c.left);
    settings.writeInteger(section, QStringLiteral("Top"), c.top);
    settings.writeInteger(section, QStringLiteral("Width"), c.width);
    settings.writeInteger(section, QStringLiteral("Height"), c.height);
    EXPECT_EQ(
        window_layout::fitOnScreen(window_layout::readText(settings), screen),
        c.fitted);
  }
}

TEST_F(OutsideInput, HugeContentsFilesAreReadUpToTheirBounds) {
  scratch.write(QStringLiteral("c/one.fum"), OnePage);
  const QByteArray manyEntries =
      "/Title\r\n" + QByteArray("one\r\n").repeated(MaxContentsEntries + 5);
  const QByteArray longLines =
      "one\r\n" + (QByteArray(999, 'x') + "\r\n").repeated(1100);
  const QByteArray endlessLine = "one" + QByteArray(MaxContentsBytes, 'y');
  const struct {
    const char *name;
    QByteArray bytes;
    qsizetype entries, unreadFrom;
  } cases[] = {
      {"entries", manyEntries, MaxContentsEntries, MaxContentsEntries + 2},
      {"bytes", longLines, 1 + MaxContentsBytes / 1001,
       2 + MaxContentsBytes / 1001},
      {"line", endlessLine, 0, 1},
      {"small", "/T\r\none\r\n", 1, 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const QString path =
        scratch.write(QStringLiteral("c/%1.vrn").arg(c.name), c.bytes);
    messages = ScriptedMessages();
    doc.OpenFile(path);
    EXPECT_EQ(doc.course().ContentsEntries.size(), c.entries);
    EXPECT_EQ(doc.course().UnreadFrom, c.unreadFrom);
    const QStringList expected =
        c.unreadFrom ? QStringList{contentsCutMessage(path, c.unreadFrom)}
                     : QStringList();
    if (c.entries > 0) {
      EXPECT_EQ(messages.texts(), expected);
    }
    if (c.unreadFrom) {
      EXPECT_TRUE(
          messages.texts().value(0).contains(QFileInfo(path).fileName()));
    }
  }
}

TEST_F(OutsideInput, AMissingPageLeavesTheRestOfTheCourseReachable) {
  scratch.write(QStringLiteral("c/one.fum"), OnePage);
  scratch.write(QStringLiteral("c/three.fum"), OnePage);
  doc.OpenFile(scratch.write(QStringLiteral("c/c.vrn"),
                             "/Course\r\none\r\nsub\\two\r\nthree\r\n"));
  // Each step: the button pressed, the entry then chosen, and the message.
  const struct {
    bool next;
    int entry;
    QString message;
  } steps[] = {
      {true, 1,
       QStringLiteral("Vrnファイルに記述されたファイル「sub/two.fum」が"
                      "見つかりません。")},
      {true, 2, {}},
      {false, 1, {}},  // said again below
      {false, 0, {}},
  };
  for (const auto &step : steps) {
    SCOPED_TRACE(step.entry);
    messages = ScriptedMessages();
    step.next ? doc.SpeedButton5Click() : doc.SpeedButton4Click();
    EXPECT_TRUE(doc.contentsMode());
    EXPECT_EQ(doc.selectedEntry(), step.entry);
    EXPECT_EQ(doc.caption(), QStringLiteral("Course"));
    EXPECT_EQ(doc.page().count(), step.entry == 1 ? 0 : 1);
    if (!step.message.isEmpty()) {
      EXPECT_EQ(messages.texts(), QStringList{step.message});
    }
    EXPECT_EQ(messages.beeps, 0);
  }
}
