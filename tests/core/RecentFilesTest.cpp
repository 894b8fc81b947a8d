#include <gtest/gtest.h>

#include <QStringList>

#include "files/core/RecentFiles.h"

namespace {

QStringList entries(const RecentFiles &list) {
  QStringList all;
  for (int n = 1; n <= RecentFiles::Count; ++n) all << list.entry(n);
  return all;
}

QStringList paths(const QString &prefix, int from, int to) {
  QStringList all;
  for (int i = from; i >= to; --i) all << prefix + QString::number(i) + ".fum";
  return all;
}

}  // namespace

TEST(RecentFiles, NewestFirstAndTheNinthFallsOff) {
  RecentFiles list;
  for (int i = 1; i <= 9; ++i) list.add("/c/p" + QString::number(i) + ".fum");
  EXPECT_EQ(entries(list), paths("/c/p", 9, 2));
}

TEST(RecentFiles, TheSameFileTwiceMovesToTheTop) {
  RecentFiles list;
  list.add("/c/a.fum");
  list.add("/c/b.fum");
  list.add("/c/c.fum");
  list.add("/c/a.fum");
  EXPECT_EQ(entries(list), (QStringList{"/c/a.fum", "/c/c.fum", "/c/b.fum", "",
                                        "", "", "", ""}));
  list.add("/c/a.fum");
  EXPECT_EQ(list.entry(1), "/c/a.fum");
  EXPECT_EQ(list.entry(2), "/c/c.fum");
}

TEST(RecentFiles, NamesDifferingInCaseAreTwoFiles) {
  RecentFiles list;
  list.add("/c/Lesson.fum");
  list.add("/c/LESSON.FUM");
  EXPECT_EQ(list.entry(1), "/c/LESSON.FUM");
  EXPECT_EQ(list.entry(2), "/c/Lesson.fum");
}

TEST(RecentFiles, GapsCloseAndAnEmptyPathOnlyTidies) {
  RecentFiles list;
  list.setEntry(2, "/c/b.fum");
  list.setEntry(5, "/c/e.fum");
  list.setEntry(8, "/c/h.fum");
  list.add("");
  EXPECT_EQ(entries(list), (QStringList{"/c/b.fum", "/c/e.fum", "/c/h.fum", "",
                                        "", "", "", ""}));
  // A reopen entry whose file is gone is emptied, then the gap closes.
  list.setEntry(1, "");
  list.add("");
  EXPECT_EQ(entries(list),
            (QStringList{"/c/e.fum", "/c/h.fum", "", "", "", "", "", ""}));
}

TEST(RecentFiles, CaptionsAreFileNames) {
  RecentFiles list;
  list.add("/home/u/曲集/Lesson 1.2.fum");
  list.add("relative.vrn");
  EXPECT_EQ(list.caption(1), "relative.vrn");
  EXPECT_EQ(list.caption(2), "Lesson 1.2.fum");
  EXPECT_EQ(list.caption(3), "");
}
