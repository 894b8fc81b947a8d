#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include "files/core/ContentsFile.h"
#include "files/core/PageFile.h"
#include "score/core/ScorePage.h"
#include "support/ScriptedMessages.h"
#include "support/TestFiles.h"

// Files reach the program with the line ends of whatever made them: git
// checkouts and Linux editors write LF, old Mac tools CR. Each must read
// exactly as the CR LF file the program writes.

namespace {

QString courseDir() {
  const QDir here = QFileInfo(QStringLiteral(__FILE__)).absoluteDir();
  return QDir::cleanPath(here.absoluteFilePath(QStringLiteral("../../Data")));
}

struct Read {
  ScorePage page;
  QByteArray text;
  bool loaded = false;
};

Read readPage(QByteArray bytes) {
  Read read;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  const page_file::LoadResult result = page_file::readFrom(read.page, buffer);
  read.loaded = result.status == page_file::LoadResult::Status::Loaded;
  read.text = result.pageText;
  return read;
}

QByteArray withLineEnds(QByteArray crlf, const char *end) {
  return crlf.replace("\r\n", end);
}

}  // namespace

TEST(LineEnds, EveryBundledPageReadsTheSameWithLfOrCrAlone) {
  const QStringList pages =
      QDir(courseDir()).entryList({QStringLiteral("*.fum")}, QDir::Files);
  ASSERT_FALSE(pages.isEmpty());
  for (const QString &name : pages) {
    SCOPED_TRACE(name.toStdString());
    const QByteArray original = readBytes(courseDir() + '/' + name);
    ASSERT_TRUE(original.contains("\r\n"));
    const Read expected = readPage(original);
    ASSERT_TRUE(expected.loaded);
    for (const char *end : {"\n", "\r"}) {
      const Read read = readPage(withLineEnds(original, end));
      ASSERT_TRUE(read.loaded);
      EXPECT_EQ(read.page.InternalName, expected.page.InternalName);
      EXPECT_EQ(contentsOf(read.page.Inputs), contentsOf(expected.page.Inputs));
      EXPECT_EQ(xsOf(read.page.Inputs), xsOf(expected.page.Inputs));
      EXPECT_EQ(ysOf(read.page.Inputs), ysOf(expected.page.Inputs));
      EXPECT_EQ(read.page.StaffCount, expected.page.StaffCount);
      EXPECT_EQ(read.text, expected.text);
    }
  }
}

TEST(LineEnds, LfContentsFileListsItsCourse) {
  QByteArray bytes = readBytes(courseDir() + QStringLiteral("/Varnel.vrn"));
  QBuffer crlf(&bytes);
  crlf.open(QIODevice::ReadOnly);
  const ContentsData expected = parseContents(crlf);
  ASSERT_GT(expected.entries.size(), 1);
  QByteArray lf = withLineEnds(bytes, "\n");
  QBuffer buffer(&lf);
  buffer.open(QIODevice::ReadOnly);
  const ContentsData read = parseContents(buffer);
  EXPECT_EQ(read.title, expected.title);
  EXPECT_EQ(read.note, expected.note);
  EXPECT_EQ(read.entries, expected.entries);
}
