#include <gtest/gtest.h>

#include <QBuffer>

#include "files/core/ContentsFile.h"
#include "support/TestFiles.h"

namespace {

ContentsData parse(QByteArray bytes) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  return parseContents(buffer);
}

}  // namespace

TEST(ContentsFile, ReadsTitleNoteAndEntries) {
  const ContentsData data = parse(
      "/First steps\r\n\\Sample data\r\nintro\r\n  scale\r\n"
      "lesson2\\cadence\r\n\r\n");
  EXPECT_EQ(data.title, "First steps");
  EXPECT_EQ(data.note, "Sample data");
  EXPECT_EQ(data.entries,
            (QList<QByteArray>{"intro", "  scale", "lesson2\\cadence", ""}));
  EXPECT_FALSE(data.failed);
}

TEST(ContentsFile, LaterTitleAndNoteLinesWin) {
  const ContentsData data =
      parse(sjis("/最初の題\r\n\\a\r\n一\r\n/二番目の題\r\n\\\r\n二"));
  EXPECT_EQ(data.title, sjis("二番目の題"));
  EXPECT_EQ(data.note, "") << "an empty note line empties the note";
  EXPECT_EQ(data.entries, (QList<QByteArray>{sjis("一"), sjis("二")}));
}

TEST(ContentsFile, OnlyTheFirstByteDecidesAndTheFileEndsAtEof) {
  // Indented "/" and "\" are entries; 0x1A ends the file.
  const ContentsData data = parse(" /a\r\n\t\\b\r\n/\r\nc\x1A\r\nd\r\n");
  EXPECT_EQ(data.title, "");
  EXPECT_EQ(data.entries, (QList<QByteArray>{" /a", "\t\\b", "c"}));
  EXPECT_TRUE(parse("/Title only\r\n\\Note only\r\n").entries.isEmpty());
}

TEST(ContentsFile, EntryNameDropsOnlyLeadingControlBytesAndSpaces) {
  EXPECT_EQ(entryName("  scale"), "scale");
  EXPECT_EQ(entryName("\t\x01 scale  "), "scale  ");
  EXPECT_EQ(entryName("   "), "");
  // Bytes 0x80 and up are characters, not indentation.
  EXPECT_EQ(entryName(sjis("　練習")), sjis("　練習"));
  EXPECT_EQ(entryName("\xA1x"), "\xA1x");
}

TEST(ContentsFile, PagePathsOfEntriesInSubfolders) {
  ScratchDir dir;
  const QString intro = dir.write("intro.fum", "x");
  const QString scale = dir.write("scale.fum", "x");
  const QString cadence = dir.write("lesson2/cadence.fum", "x");
  const QString folder = dir.path();
  EXPECT_EQ(entryPagePath(folder, "intro"), intro);
  EXPECT_EQ(entryPagePath(folder, "  scale"), scale);
  EXPECT_EQ(entryPagePath(folder + "/", "\tscale"), scale);
  EXPECT_EQ(entryPagePath(folder, "lesson2\\cadence"), cadence);
  EXPECT_EQ(entryPagePath(folder, ""), folder + "/.fum");
  EXPECT_EQ(entryPagePath(folder, "scale "), folder + "/scale .fum")
      << "trailing spaces stay part of the name";
}

TEST(ContentsFile, PagePathsOfACourseMadeOnWindows) {
  ScratchDir dir;
  const QString lesson = dir.write("Lesson1.FUM", "x");
  const QString cadence = dir.write("Lesson2/Cadence.fum", "x");
  const QString shared = dir.write("Shared/Common.fum", "x");
  const QString folder = dir.file("course");
  dir.write("course/keep", "");
  EXPECT_EQ(entryPagePath(dir.path(), "lesson1"), lesson);
  EXPECT_EQ(entryPagePath(dir.path(), "  lesson2\\cadence"), cadence);
  EXPECT_EQ(entryPagePath(folder, "..\\shared\\common"),
            folder + "/../Shared/Common.fum");
  EXPECT_EQ(entryPagePath(dir.path(), "part3\\cadence"),
            dir.path() + "/part3/cadence.fum");
}

TEST(ContentsFile, JapaneseEntriesBecomeUnicodePaths) {
  ScratchDir dir;
  // "ソ" is 83 5C in code page 932: its second byte is not a separator.
  const QString page = dir.write(QStringLiteral("第1課/ソナタ.fum"), "x");
  EXPECT_EQ(entryPagePath(dir.path(), sjis("第1課\\ソナタ")), page);
  EXPECT_EQ(entryPagePath(dir.path(), sjis("　ソナタ")),
            dir.path() + QStringLiteral("/　ソナタ.fum"))
      << "an ideographic space is part of the name";
}
