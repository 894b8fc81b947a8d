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
  QString error;
  ASSERT_TRUE(course.read(&error));
  EXPECT_EQ(course.caption(), QStringLiteral("Title"));
  EXPECT_EQ(course.ContentsNote, "Note");
  EXPECT_EQ(course.pagePath(1), dir.file(QStringLiteral("two.fum")));
  EXPECT_EQ(course.pagePath(-1), dir.file(QStringLiteral(".fum")));

  course.switchTo(dir.file(QStringLiteral("missing.vrn")));
  EXPECT_FALSE(course.read(&error));
  EXPECT_FALSE(error.isEmpty());
  course.switchBack();
  EXPECT_EQ(course.ContentsPath, dir.file(QStringLiteral("c.vrn")));
  EXPECT_EQ(CourseContents::rememberKey(course.ContentsPath),
            QStringLiteral("c.vrn"));
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
