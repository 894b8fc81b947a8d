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
                         "one\r\ntwo\r\nthree\r\n");
  }
  QComboBox *list() { return child<QComboBox>(form(), "ComboBox1"); }
  int shown() { return list()->currentIndex(); }
};

}  // namespace

TEST_F(Contents, TheListShowsTheEntriesAndSaveAsIsOff) {
  scratch.write(QStringLiteral("c/intro.fum"), quarterNotesPage("intro", 1));
  doc().files().openFile(scratch.write(
      QStringLiteral("c/first.vrn"),
      "/First steps\r\nintro\r\n  scale\r\nlesson2\\cadence\r\n"));
  ASSERT_EQ(list()->count(), 3);
  EXPECT_EQ(list()->itemText(1), QStringLiteral("  scale"));
  EXPECT_FALSE(list()->isHidden());
  EXPECT_FALSE(action("SaveAs1")->isEnabled());
}

TEST_F(Contents, PageButtonsStepAndTheListFollows) {
  doc().files().openFile(course());
  toolButton("SpeedButton5")->click();
  EXPECT_EQ(shown(), 1);
  EXPECT_EQ(page().count(), 2);
  toolButton("SpeedButton4")->click();
  EXPECT_EQ(shown(), 0);
  EXPECT_EQ(page().count(), 1);
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

TEST_F(Contents, ACourseWithoutPagesHidesTheList) {
  doc().files().openFile(course());
  ASSERT_FALSE(list()->isHidden());
  doc().files().openFile(
      scratch.write(QStringLiteral("e/empty.vrn"), "/One\r\n\\Note\r\n"));
  EXPECT_FALSE(doc().navigator().active());
  EXPECT_TRUE(list()->isHidden());
}

TEST_F(Contents, TheBundledCourseItemOpensIt) {
  scratch.write(QStringLiteral("program/Data/one.fum"),
                quarterNotesPage("one", 1));
  const QString path = scratch.write(QStringLiteral("program/Data/Varnel.vrn"),
                                     "/Varnel\r\none\r\n");
  action("Varnel1")->trigger();
  EXPECT_TRUE(doc().navigator().active());
  EXPECT_EQ(doc().navigator().course().ContentsPath, path);
}
