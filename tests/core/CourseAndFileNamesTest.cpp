#include <gtest/gtest.h>

#include "files/core/CourseContents.h"
#include "files/core/FileNames.h"
#include "support/TestFiles.h"

TEST(CourseContents, ChoosesTheFirstEntryAndStepsWithinTheList) {
  CourseContents course;
  course.ContentsEntries = {"a", "  b", "c"};
  EXPECT_EQ(course.firstEntry(2), 2);
  EXPECT_EQ(course.firstEntry(7), 0);  // the list got shorter
  EXPECT_EQ(course.firstEntry(-1), 0);
  EXPECT_FALSE(course.previous(0));
  EXPECT_EQ(course.previous(2), 1);
  EXPECT_EQ(course.next(1), 2);
  EXPECT_FALSE(course.next(2));

  CourseContents empty;
  EXPECT_EQ(empty.firstEntry(0), -1);
  EXPECT_FALSE(empty.next(-1));       // ">" beeps
  EXPECT_EQ(empty.previous(-1), -1);  // "<" loads the empty selection
}

TEST(CourseContents, ReadsTheFileAndNamesItsPages) {
  ScratchDir dir;
  CourseContents course;
  course.switchTo(dir.write(QStringLiteral("c.vrn"),
                            "/Title\r\n\\Note\r\none\r\n  two\r\n"));
  QString error, unheld;
  ASSERT_TRUE(course.read(&error, &unheld));
  EXPECT_EQ(course.caption(), QStringLiteral("Title"));
  EXPECT_EQ(course.ContentsNote, "Note");
  EXPECT_EQ(course.pagePath(1), dir.file(QStringLiteral("two.fum")));
  EXPECT_EQ(course.pagePath(-1), dir.file(QStringLiteral(".fum")));

  course.switchTo(dir.file(QStringLiteral("missing.vrn")));
  EXPECT_FALSE(course.read(&error, &unheld));
  EXPECT_TRUE(error.contains(QStringLiteral("missing.vrn")));
  course.switchBack();
  EXPECT_EQ(course.ContentsPath, dir.file(QStringLiteral("c.vrn")));
  EXPECT_EQ(CourseContents::rememberKey(course.ContentsPath),
            QStringLiteral("c.vrn"));
}

TEST(CourseContents, ReadsUtf8ContentsAsTheirCharacters) {
  ScratchDir dir;
  const QByteArray title = QStringLiteral("/音符の長さ\r\n").toUtf8();
  const QByteArray entry = QStringLiteral("はじめに\r\n").toUtf8();
  struct Case {
    const char *name;
    QByteArray bytes;
    QString title;
    QString unheld;
  } cases[] = {
      {"utf8", title + entry, QStringLiteral("音符の長さ"), {}},
      {"bom", "\xEF\xBB\xBF" + title + entry, QStringLiteral("音符の長さ"), {}},
      {"unheld", QStringLiteral("/Ω😀\r\n").toUtf8(), QStringLiteral("Ω?"),
       QStringLiteral("😀")},
      {"cp932",
       sjis(QStringLiteral("/音符の長さ\r\nはじめに\r\n")),
       QStringLiteral("音符の長さ"),
       {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    CourseContents course;
    course.switchTo(dir.write(QStringLiteral("c.vrn"), c.bytes));
    QString error, unheld;
    ASSERT_TRUE(course.read(&error, &unheld));
    EXPECT_EQ(course.caption(), c.title);
    EXPECT_EQ(unheld, c.unheld);
    if (c.unheld.isEmpty()) {
      EXPECT_EQ(course.ContentsEntries,
                QList<QByteArray>{sjis(QStringLiteral("はじめに"))});
    }
  }
}

TEST(FileNames, ExtensionsAndBitmapPresets) {
  EXPECT_EQ(file_names::lowerExtension(QStringLiteral("/a.b/LESSON.FUM")),
            QStringLiteral(".fum"));
  EXPECT_TRUE(
      file_names::lowerExtension(QStringLiteral("/a.b/README")).isEmpty());
  EXPECT_EQ(file_names::bitmapPreset(QStringLiteral("/x.y/p.fum"), "n"),
            QStringLiteral("/x.y/p.bmp"));
  EXPECT_EQ(file_names::bitmapPreset(QStringLiteral("/x.y/page"), ""),
            QStringLiteral("/x.y/page.bmp"));
  EXPECT_EQ(file_names::bitmapPreset(QString(), "Lesson 1.2"),
            QStringLiteral("Lesson 1.bmp"));
  EXPECT_TRUE(file_names::bitmapPreset(QString(), "").isEmpty());
}
