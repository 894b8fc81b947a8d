#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "files/core/PathLookup.h"
#include "support/TestFiles.h"

// Failures show paths as text.
namespace {

// Runs a test body with another current folder and puts the old one back.
class CurrentFolder {
 public:
  explicit CurrentFolder(const QString &path) : saved_(QDir::currentPath()) {
    QDir::setCurrent(path);
  }
  ~CurrentFolder() { QDir::setCurrent(saved_); }

 private:
  QString saved_;
};

}  // namespace

TEST(PathLookup, FindsNamesInAnyCaseFolderByFolder) {
  ScratchDir dir;
  const QString page = dir.write("Course/Lesson2/Cadence.FUM", "x");
  const QString root = dir.path();
  EXPECT_EQ(findFileIgnoringCase(page), page);
  EXPECT_EQ(findFileIgnoringCase(root + "/course/lesson2/cadence.fum"), page);
  EXPECT_EQ(findFileIgnoringCase(root + "/COURSE//LESSON2/./cadence.Fum"),
            root + "/Course/Lesson2/./Cadence.FUM");
  EXPECT_EQ(findFileIgnoringCase(root + "/course/part3/cadence.fum"), "");
  EXPECT_EQ(findFileIgnoringCase(root + "/course/lesson2/cadence"), "");
  EXPECT_EQ(findFileIgnoringCase(root + "/course/lesson2"), "")
      << "a folder is not a file";
  EXPECT_EQ(findFileIgnoringCase(root + "/course/lesson2/cadence.fum/"), "");
  EXPECT_EQ(findFileIgnoringCase(""), "");
}

TEST(PathLookup, PrefersTheExactNameThenTheFirstInOrder) {
  ScratchDir dir;
  const QString exact = dir.write("data/intro.fum", "exact");
  dir.write("data/INTRO.fum", "upper");
  dir.write("data/Intro.fum", "capital");
  EXPECT_EQ(findFileIgnoringCase(dir.file("data/intro.fum")), exact);
  EXPECT_EQ(findFileIgnoringCase(dir.file("data/iNTRO.fum")),
            dir.file("data/INTRO.fum"));
  // A match of the wrong kind is passed over: "Part" is a file here.
  dir.write("Part", "a file");
  const QString inFolder = dir.write("part/a.fum", "x");
  EXPECT_EQ(findFileIgnoringCase(dir.file("PART/A.FUM")), inFolder);
}

TEST(PathLookup, RelativePathsParentsAndLinks) {
  ScratchDir dir;
  dir.write("Shared/Scale.fum", "x");
  QDir().mkpath(dir.file("course"));
  CurrentFolder cd(dir.file("course"));
  EXPECT_EQ(findFileIgnoringCase("../shared/scale.fum"), "../Shared/Scale.fum");
  ASSERT_TRUE(QFile::link(dir.file("Shared"), dir.file("course/Linked")));
  EXPECT_EQ(findFileIgnoringCase("linked/SCALE.FUM"), "Linked/Scale.fum");
}

TEST(PathLookup, ExpandLongPathNamesOnlyExistingFiles) {
  ScratchDir dir;
  const QString page = dir.write("sub/Lesson 1.fum", "x");
  CurrentFolder cd(dir.file("sub"));
  EXPECT_EQ(expandLongPath("Lesson 1.fum"), page);
  EXPECT_EQ(expandLongPath("./../sub/Lesson 1.fum"), page);
  EXPECT_EQ(expandLongPath(page), page);
  EXPECT_EQ(expandLongPath("lesson 1.fum"), "") << "no case folding here";
  EXPECT_EQ(expandLongPath("missing.fum"), "");
  EXPECT_EQ(expandLongPath(dir.path()), "") << "a folder is not a file";
  EXPECT_EQ(expandLongPath(""), "");
}

TEST(PathLookup, ExpandLongPathKeepsParentsBehindLinks) {
  // "link/.." is the link target's parent, not the link's folder.
  ScratchDir dir;
  const QString page = dir.write("real/inner/x.fum", "x");
  dir.write("real/y.fum", "y");
  ASSERT_TRUE(QFile::link(dir.file("real/inner"), dir.file("link")));
  EXPECT_EQ(expandLongPath(dir.file("link/../y.fum")),
            dir.file("link/../y.fum"));
  EXPECT_EQ(expandLongPath(dir.file("real/inner/../y.fum")),
            dir.file("real/y.fum"));
}

TEST(PathLookup, FindsTheSiblingWithAnotherExtension) {
  ScratchDir dir;
  const QString page = dir.write("Course/Lesson 1.2.fum", "x");
  const QString midi = dir.write("Course/lesson 1.2.MID", "m");
  EXPECT_EQ(findSibling(page, ".mid"), midi);
  EXPECT_EQ(findSibling(dir.file("Course/Lesson 1.2.fum"), ".bmp"), "");
  const QString bare = dir.write("v1.0/readme", "x");
  const QString bareMidi = dir.write("v1.0/readme.mid", "m");
  EXPECT_EQ(findSibling(bare, ".mid"), bareMidi)
      << "a dot in a folder name is not an extension";
}
