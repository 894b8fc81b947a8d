#include <QAction>
#include <QComboBox>
#include <QTest>
#include <QToolButton>

#include "support/ProgramFixture.h"

namespace {

class Contents : public ProgramTest {
 protected:
  Contents() { doc().session().setExecutive(true); }
  // A course of three pages in the scratch folder.
  QString course() {
    scratch.write(QStringLiteral("course/one.fum"), quarterNotesPage("one", 1));
    scratch.write(QStringLiteral("course/two.fum"), quarterNotesPage("two", 2));
    scratch.write(QStringLiteral("course/three.fum"),
                  quarterNotesPage("three", 3));
    return scratch.write(QStringLiteral("course/course.vrn"),
                         "/" + sjis(QStringLiteral("練習曲集")) +
                             "\r\none\r\n  two\r\n\tthree\r\n");
  }
  QComboBox *list() { return child<QComboBox>(form(), "ComboBox1"); }
  int shown() { return list()->currentIndex(); }
};

}  // namespace

TEST_F(Contents, ReadsTitleNoteAndEntries) {
  scratch.write(QStringLiteral("c/intro.fum"), quarterNotesPage("intro", 1));
  const QString path =
      scratch.write(QStringLiteral("c/first.vrn"),
                    "/First steps\r\n\\Sample data\r\nintro\r\n  "
                    "scale\r\nlesson2\\cadence\r\n\r\n");
  doc().files().openFile(path);
  EXPECT_TRUE(doc().navigator().active());
  EXPECT_EQ(doc().navigator().course().ContentsTitle, "First steps");
  EXPECT_EQ(doc().navigator().course().ContentsNote, "Sample data");
  ASSERT_EQ(list()->count(), 4);
  EXPECT_EQ(list()->itemText(1), QStringLiteral("  scale"));
  EXPECT_EQ(page().count(), 1);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("First steps"));
  EXPECT_FALSE(list()->isHidden());
  EXPECT_FALSE(action("SaveAs1")->isEnabled());
  EXPECT_EQ(doc().session().recent().entry(1), path);
}

TEST_F(Contents, PageButtonsStepThroughTheCourseAndBeepAtTheEnds) {
  doc().files().openFile(course());
  EXPECT_EQ(form().windowTitle(), QStringLiteral("練習曲集"));
  doc().navigator().goToPreviousPage();
  EXPECT_EQ(messages.beeps, 1);
  toolButton("SpeedButton5")->click();
  EXPECT_EQ(shown(), 1);
  EXPECT_EQ(page().count(), 2);
  toolButton("SpeedButton5")->click();
  EXPECT_EQ(page().count(), 3);  // the tab-indented entry
  EXPECT_EQ(doc().navigator().course().ContentsIndex, 2);
  toolButton("SpeedButton5")->click();
  EXPECT_EQ(messages.beeps, 2);
  toolButton("SpeedButton4")->click();
  EXPECT_EQ(page().count(), 2);
}

TEST_F(Contents, RemembersThePageAcrossARestart) {
  const QString path = course();
  doc().files().openFile(path);
  doc().navigator().goToNextPage();
  doc().navigator().goToNextPage();
  ASSERT_TRUE(form().writeSettings());
  start();
  doc().files().openFile(path);
  EXPECT_EQ(shown(), 2);
  EXPECT_EQ(page().count(), 3);
  // A remembered index beyond the list opens the first page.
  settings.writeInteger(QStringLiteral("Vrn"), QStringLiteral("course.vrn"), 7);
  start();
  doc().files().openFile(path);
  EXPECT_EQ(shown(), 0);
}

TEST_F(Contents, CancelOnTheSaveQuestionPutsTheListBack) {
  doc().files().openFile(course());
  doc().setModified(true);
  messages.answers = {Messages::Answer::Cancel};
  QTest::keyClick(list(), Qt::Key_End);  // chooses the last entry
  EXPECT_EQ(messages.shown.size(), 1);   // the save question
  EXPECT_EQ(shown(), 0);
  EXPECT_EQ(page().count(), 1);
  EXPECT_TRUE(page().Modified);
}

TEST_F(Contents, EmptyListEndsContentsModeWithTheNotFoundMessage) {
  const QString path = scratch.write(QStringLiteral("e/empty.vrn"),
                                     "/One\r\n/Two\r\n\\Note\r\n");
  doc().files().openFile(path);
  EXPECT_TRUE(messages.saw(
      QStringLiteral("Vrnファイルに記述されたファイルが見つかりません。")));
  EXPECT_FALSE(doc().navigator().active());
  EXPECT_TRUE(list()->isHidden());
  // The title is shown after the load, and the second title wins.
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Two"));
  messages.beeps = 0;
  doc().navigator().goToNextPage();
  EXPECT_EQ(messages.beeps, 1);
}

TEST_F(Contents, DefaultCourseNeverEntersTheRecentList) {
  scratch.write(QStringLiteral("program/Data/one.fum"),
                quarterNotesPage("one", 1));
  const QString path = scratch.write(QStringLiteral("program/Data/Varnel.vrn"),
                                     "/Varnel\r\none\r\n");
  action("Varnel1")->trigger();
  EXPECT_TRUE(doc().navigator().active());
  EXPECT_EQ(doc().navigator().course().ContentsPath, path);
  EXPECT_TRUE(doc().session().recent().entry(1).isEmpty());
  QFile::remove(path);
  action("Varnel1")->trigger();
  EXPECT_TRUE(messages.saw(QStringLiteral("ファイルが見つかりません。")));
}

TEST_F(Contents, CourseMadeOnWindowsOpens) {
  scratch.write(QStringLiteral("win/Lesson1.FUM"),
                quarterNotesPage("lesson1", 1));
  scratch.write(QStringLiteral("win/Lesson2/Cadence.Fum"),
                quarterNotesPage("cadence", 2));
  const QString path = scratch.write(QStringLiteral("win/COURSE.VRN"),
                                     "lesson1\r\nlesson2\\cadence\r\n");
  doc().files().openFile(path);
  EXPECT_EQ(page().count(), 1);
  EXPECT_TRUE(messages.shown.isEmpty());
  doc().navigator().goToNextPage();
  EXPECT_EQ(page().count(), 2);
  EXPECT_TRUE(page().PagePath.endsWith(QStringLiteral("Lesson2/Cadence.Fum")));
  EXPECT_TRUE(messages.shown.isEmpty());
}
