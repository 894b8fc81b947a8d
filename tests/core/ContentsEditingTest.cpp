#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include "files/core/ContentsDocument.h"
#include "files/core/ContentsFile.h"
#include "files/core/EntryCheck.h"
#include "support/TestFiles.h"

namespace {

QString bundledCourse() {
  const QDir here = QFileInfo(QStringLiteral(__FILE__)).absoluteDir();
  return QDir::cleanPath(here.absoluteFilePath(QStringLiteral("../../Data")));
}

ContentsDocument docOf(const QByteArray &bytes) {
  return ContentsDocument::fromBytes(bytes, MaxContentsEntries);
}

}  // namespace

TEST(ContentsEditing, ReadAndWrittenUnchangedIsTheSameBytes) {
  const QByteArray files[] = {
      readBytes(bundledCourse() + "/Varnel.vrn"),
      // Made on Windows: two titles, tabs, empty entries, trailing spaces,
      // lone CR and LF ends, no end on the last line.
      sjis("/題\r\n\\注\r\n\tタブ\r\n\r\n名前  \r\nsub\\頁\r/二番目\nlast"),
      // An end mark, and bytes after it that are no part of the file.
      "/T\r\none\r\ntwo\r\n\x1A\r\nthree\r\n\x00\xff",
      // Lines after the entries.
      "one\r\n/Late title\r\n\\late note\r\n", "", "\r\n", "\x1A", "\r\r\n\n"};
  for (const QByteArray &bytes : files) {
    SCOPED_TRACE(bytes.toStdString());
    const ContentsDocument doc = docOf(bytes);
    EXPECT_EQ(doc.toBytes(), bytes);
    // The editor sees what the reader sees.
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const ContentsData read = parseContents(buffer);
    EXPECT_EQ(doc.entries(), read.entries);
    EXPECT_EQ(QList({doc.title(), doc.note()}), QList({read.title, read.note}));
  }

  ScratchDir scratch;
  QString error, unheld;
  const auto bundled =
      ContentsDocument::read(bundledCourse() + "/Varnel.vrn", &error, &unheld);
  ASSERT_TRUE(bundled) << error.toStdString();
  const QString out = scratch.file(QStringLiteral("out.vrn"));
  ASSERT_TRUE(bundled->write(out, &error)) << error.toStdString();
  EXPECT_EQ(readBytes(out), readBytes(bundledCourse() + "/Varnel.vrn"));
}

TEST(ContentsEditing, EachEditChangesOnlyItsLinesAndUndoesToTheSameBytes) {
  const QByteArray start = "/T\r\n\\N\r\na\r\n\tb\nc";
  ContentsDocument doc = docOf(start);
  // A moved entry takes the others' places, line ends staying where they
  // were (a last line without an end stays without one).
  struct Step {
    const char *what;
    ContentsSplice (*plan)(const ContentsDocument &);
    QByteArray after;
  };
  const Step steps[] = {
      {"append",
       [](const ContentsDocument &d) { return d.insertEntry(-1, "d"); },
       "/T\r\n\\N\r\na\r\n\tb\nc\r\nd"},
      {"insert first",
       [](const ContentsDocument &d) { return d.insertEntry(0, "z"); },
       "/T\r\n\\N\r\nz\r\na\r\n\tb\nc\r\nd"},
      {"move last to first",
       [](const ContentsDocument &d) { return d.moveEntry(4, 0); },
       "/T\r\n\\N\r\nd\r\nz\r\na\n\tb\r\nc"},
      {"move down", [](const ContentsDocument &d) { return d.moveEntry(0, 1); },
       "/T\r\n\\N\r\nz\r\nd\r\na\n\tb\r\nc"},
      {"indent",
       [](const ContentsDocument &d) {
         return d.replaceEntry(2, indentedEntry(d.entries()[2]));
       },
       "/T\r\n\\N\r\nz\r\nd\r\n  a\n\tb\r\nc"},
      {"outdent a tab",
       [](const ContentsDocument &d) {
         return d.replaceEntry(3, outdentedEntry(d.entries()[3]));
       },
       "/T\r\n\\N\r\nz\r\nd\r\n  a\nb\r\nc"},
      {"remove the last",
       [](const ContentsDocument &d) { return d.removeEntry(4); },
       "/T\r\n\\N\r\nz\r\nd\r\n  a\nb"},
      {"title", [](const ContentsDocument &d) { return d.setTitle("New"); },
       "/New\r\n\\N\r\nz\r\nd\r\n  a\nb"},
      {"note", [](const ContentsDocument &d) { return d.setNote(""); },
       "/New\r\n\\\r\nz\r\nd\r\n  a\nb"},
  };
  QList<ContentsSplice> done;
  for (const Step &step : steps) {
    SCOPED_TRACE(step.what);
    done << step.plan(doc);
    doc.apply(done.last());
    EXPECT_EQ(doc.toBytes(), step.after);
  }
  while (!done.isEmpty()) doc.revert(done.takeLast());
  EXPECT_EQ(doc.toBytes(), start);
}

TEST(ContentsEditing, TitleAndNoteLinesAreAddedAtTheHead) {
  ContentsDocument doc = docOf("one\r\n");
  EXPECT_TRUE(doc.setNote("").isEmpty()) << "no empty note line is added";
  doc.apply(doc.setNote("N"));
  doc.apply(doc.setTitle("T"));
  EXPECT_EQ(doc.toBytes(), "/T\r\n\\N\r\none\r\n");
  // Lines after the entries stay after them.
  ContentsDocument late = docOf("one\r\n/Late\r\n");
  late.apply(late.insertEntry(-1, "two"));
  EXPECT_EQ(late.toBytes(), "one\r\ntwo\r\n/Late\r\n");
  EXPECT_FALSE(canOutdent(" /x")) << "would become a title line";
}

TEST(ContentsEditing, TheBundledCourseIsMadeAgainFromItsPages) {
  const QString folder = bundledCourse() + "/";
  const char *pages[] = {"はじめに",
                         "五線と加線",
                         "音部記号",
                         "ト音記号の音",
                         "ヘ音記号の音",
                         "音符の長さ",
                         "休符",
                         "小節と拍子",
                         "タイ",
                         "付点音符",
                         "臨時記号",
                         "フェルマータとブレス",
                         "extra/かえるの合唱",
                         "extra/きらきら星"};
  ContentsDocument doc = docOf({});
  doc.apply(doc.setTitle(sjis("Varnel 楽譜の読み方入門")));
  doc.apply(doc.setNote(sjis("Varnel 付属教材")));
  for (const char *page : pages) {
    QString error;
    const QByteArray entry = entry_check::entryForPage(
        folder, folder + QString::fromUtf8(page) + ".fum", &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    doc.apply(doc.insertEntry(-1, entry));
  }
  for (const int indented : {3, 4, 9})
    doc.apply(
        doc.replaceEntry(indented, indentedEntry(doc.entries()[indented])));
  EXPECT_EQ(doc.toBytes(), readBytes(folder + "Varnel.vrn"));
}

TEST(ContentsEditing, EntriesAreJudgedByTheCheckRules) {
  ScratchDir scratch;
  scratch.write(QStringLiteral("course/one.fum"), "x");
  scratch.write(QStringLiteral("course/sub/Two.fum"), "x");
  scratch.write(QStringLiteral("outside.fum"), "x");
  const QString folder = scratch.file(QStringLiteral("course/"));
  using entry_check::Problem;
  const std::pair<QByteArray, Problem> cases[] = {
      {"one", Problem::None},
      {"  sub\\two", Problem::None},  // indented, another letter case
      {"sub\\..\\one", Problem::None},
      {"missing", Problem::Missing},
      {"", Problem::Missing},
      {"\x85\x40", Problem::NotCp932},
      {"..\\outside", Problem::OutsideFolder},
      {"sub\\..\\..\\outside", Problem::OutsideFolder},
  };
  for (const auto &[entry, expected] : cases) {
    SCOPED_TRACE(entry.toStdString());
    EXPECT_EQ(entry_check::problemOf(folder, entry), expected);
  }

  QString error;
  EXPECT_EQ(entry_check::entryForPage(folder, folder + "sub/Two.fum", &error),
            "sub\\Two");
  const QString refused[] = {scratch.file(QStringLiteral("outside.fum")),
                             folder + "one.txt",
                             folder + QStringLiteral("😀.fum")};
  for (const QString &page : refused) {
    SCOPED_TRACE(page.toStdString());
    EXPECT_TRUE(entry_check::entryForPage(folder, page, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
  }
}
