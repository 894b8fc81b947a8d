#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

#include "files/core/ContentsFile.h"
#include "support/DocumentSession.h"
#include "support/TestFiles.h"

// Input from outside that must not stall or swamp the window: files that
// are not regular files, huge contents files, a course missing a page.

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
    doc.files().openFile(shown);
    messages = ScriptedMessages();
    doc.files().openFile(path);  // a FIFO would block here, /dev/zero never end
    const QStringList said{QStringLiteral("「%1」はファイルではありません。")
                               .arg(QFileInfo(path).fileName())};
    EXPECT_EQ(messages.texts(), said);
    EXPECT_EQ(doc.page().PagePath, shown);
    EXPECT_EQ(doc.page().count(), 1);
    // Named on the command line: the same words, over an empty page.
    messages = ScriptedMessages();
    doc.files().openStartFile({path});
    EXPECT_EQ(messages.texts(), said);
    EXPECT_EQ(doc.page().count(), 0);
  }
}

TEST_F(OutsideInput, HugeContentsFilesAreReadUpToTheirBounds) {
  scratch.write(QStringLiteral("c/one.fum"), OnePage);
  const struct {
    const char *name;
    QByteArray bytes;
    qsizetype entries, unreadFrom;
  } cases[] = {
      {"entries",
       "/T\r\n" + QByteArray("one\r\n").repeated(MaxContentsEntries + 5),
       MaxContentsEntries, MaxContentsEntries + 2},
      {"bytes", "one\r\n" + (QByteArray(999, 'x') + "\r\n").repeated(1100),
       1 + MaxContentsBytes / 1001, 2 + MaxContentsBytes / 1001},
      {"line", "one" + QByteArray(MaxContentsBytes, 'y'), 0, 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const QString path =
        scratch.write(QStringLiteral("c/%1.vrn").arg(c.name), c.bytes);
    messages = ScriptedMessages();
    doc.files().openFile(path);
    EXPECT_EQ(doc.navigator().course().ContentsEntries.size(), c.entries);
    EXPECT_EQ(messages.texts().value(0),
              contentsCutMessage(path, c.unreadFrom));
    EXPECT_TRUE(messages.texts().value(0).contains(c.name));
  }
}

TEST_F(OutsideInput, AMissingPageLeavesTheRestOfTheCourseReachable) {
  scratch.write(QStringLiteral("c/one.fum"), OnePage);
  scratch.write(QStringLiteral("c/three.fum"),
                QByteArray(OnePage).replace("one", "three"));
  doc.files().openFile(scratch.write(
      QStringLiteral("c/c.vrn"), "/Course\r\none\r\nsub\\two\r\nthree\r\n"));
  // Next, next, back, back: the missing page is said, the others load.
  for (int entry : {1, 2, 1, 0}) {
    SCOPED_TRACE(entry);
    messages = ScriptedMessages();
    entry > doc.navigator().selectedEntry()
        ? doc.navigator().goToNextPage()
        : doc.navigator().goToPreviousPage();
    EXPECT_TRUE(doc.navigator().active());
    EXPECT_EQ(doc.navigator().selectedEntry(), entry);
    EXPECT_EQ(view.caption, QStringLiteral("Course"));
    EXPECT_EQ(doc.page().count(), entry == 1 ? 0 : 1);
    EXPECT_EQ(messages.texts(),
              entry == 1 ? QStringList{QStringLiteral(
                               "Vrnファイルに記述されたファイル「sub/two.fum」"
                               "が見つかりません。")}
                         : QStringList());
  }
}
