#include <QAction>
#include <QComboBox>
#include <QToolButton>

#include "support/ProgramFixture.h"

namespace {

QByteArray pageNamed(const QByteArray &name, int inputs) {
  QByteArray data = "^1|4|610|";
  for (int i = 0; i < inputs; ++i)
    data += "`14|" + QByteArray::number(40 + 20 * i) + "|48|";
  return "Fum[" + name + "]\r\n" + data + "\r\nEnd[" + name + "]\r\n";
}

class Contents : public ProgramTest {
 protected:
  Contents() { form().Executive = true; }
  // A course of three pages in the scratch folder.
  QString course() {
    scratch.write(QStringLiteral("course/one.fum"), pageNamed("one", 1));
    scratch.write(QStringLiteral("course/two.fum"), pageNamed("two", 2));
    scratch.write(QStringLiteral("course/three.fum"), pageNamed("three", 3));
    return scratch.write(QStringLiteral("course/course.vrn"),
                         "/" + sjis(QStringLiteral("練習曲集")) +
                             "\r\none\r\n  two\r\n\tthree\r\n");
  }
  int shown() const { return program->main().ComboBox1->currentIndex(); }
};

}  // namespace

TEST_F(Contents, ReadsTitleNoteAndEntries) {
  scratch.write(QStringLiteral("c/intro.fum"), pageNamed("intro", 1));
  const QString path =
      scratch.write(QStringLiteral("c/first.vrn"),
                    "/First steps\r\n\\Sample data\r\nintro\r\n  "
                    "scale\r\npart2\\cadence\r\n\r\n");
  form().OpenFile(path);
  EXPECT_TRUE(form().ContentsMode);
  EXPECT_EQ(form().course.ContentsTitle, "First steps");
  EXPECT_EQ(form().course.ContentsNote, "Sample data");
  ASSERT_EQ(form().ComboBox1->count(), 4);
  EXPECT_EQ(form().ComboBox1->itemText(1), QStringLiteral("  scale"));
  EXPECT_EQ(form().page.count(), 1);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("First steps"));
  EXPECT_FALSE(form().ComboBox1->isHidden());
  EXPECT_FALSE(form().SaveAs1->isEnabled());
  EXPECT_EQ(form().Recent.entry(1), path);
}

TEST_F(Contents, PageButtonsStepThroughTheCourseAndBeepAtTheEnds) {
  form().OpenFile(course());
  EXPECT_EQ(form().windowTitle(), QStringLiteral("練習曲集"));
  form().SpeedButton4Click();
  EXPECT_EQ(messages.beeps, 1);
  form().SpeedButton5->click();
  EXPECT_EQ(shown(), 1);
  EXPECT_EQ(form().page.count(), 2);
  form().SpeedButton5->click();
  EXPECT_EQ(form().page.count(), 3);  // the tab-indented entry
  EXPECT_EQ(form().course.ContentsIndex, 2);
  form().SpeedButton5->click();
  EXPECT_EQ(messages.beeps, 2);
  form().SpeedButton4->click();
  EXPECT_EQ(form().page.count(), 2);
}

TEST_F(Contents, RemembersThePageAcrossARestart) {
  const QString path = course();
  form().OpenFile(path);
  form().SpeedButton5Click();
  form().SpeedButton5Click();
  ASSERT_TRUE(form().writeSettings());
  start();
  form().OpenFile(path);
  EXPECT_EQ(shown(), 2);
  EXPECT_EQ(form().page.count(), 3);
  // A remembered index beyond the list opens the first page.
  settings.writeInteger(QStringLiteral("Vrn"), QStringLiteral("course.vrn"), 7);
  start();
  form().OpenFile(path);
  EXPECT_EQ(shown(), 0);
}

TEST_F(Contents, CancelOnTheSaveQuestionPutsTheListBack) {
  form().OpenFile(course());
  form().page.Modified = true;
  messages.answers = {Messages::Answer::Cancel};
  form().ComboBox1->setCurrentIndex(2);
  form().LoadSelectedEntry();
  EXPECT_EQ(shown(), 0);
  EXPECT_EQ(form().page.count(), 1);
  EXPECT_TRUE(form().page.Modified);
}

TEST_F(Contents, EmptyListEndsContentsModeWithTheNotFoundMessage) {
  const QString path = scratch.write(QStringLiteral("e/empty.vrn"),
                                     "/One\r\n/Two\r\n\\Note\r\n");
  form().OpenFile(path);
  EXPECT_TRUE(messages.saw(
      QStringLiteral("Vrnファイルに記述されたファイルが見つかりません。")));
  EXPECT_FALSE(form().ContentsMode);
  EXPECT_TRUE(form().ComboBox1->isHidden());
  // The title is shown after the load, and the second title wins.
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Two"));
  messages.beeps = 0;
  form().SpeedButton5Click();
  EXPECT_EQ(messages.beeps, 1);
}

TEST_F(Contents, DefaultCourseNeverEntersTheRecentList) {
  scratch.write(QStringLiteral("program/Data/one.fum"), pageNamed("one", 1));
  const QString path = scratch.write(QStringLiteral("program/Data/Varnel.vrn"),
                                     "/Varnel\r\none\r\n");
  form().Varnel1->trigger();
  EXPECT_TRUE(form().ContentsMode);
  EXPECT_EQ(form().course.ContentsPath, path);
  EXPECT_TRUE(form().Recent.entry(1).isEmpty());
  QFile::remove(path);
  form().Varnel1->trigger();
  EXPECT_TRUE(messages.saw(QStringLiteral("ファイルが見つかりません。")));
}

TEST_F(Contents, CourseMadeOnWindowsOpens) {
  scratch.write(QStringLiteral("win/Lesson1.FUM"), pageNamed("lesson1", 1));
  scratch.write(QStringLiteral("win/Part2/Cadence.Fum"),
                pageNamed("cadence", 2));
  const QString path = scratch.write(QStringLiteral("win/COURSE.VRN"),
                                     "lesson1\r\npart2\\cadence\r\n");
  form().OpenFile(path);
  EXPECT_EQ(form().page.count(), 1);
  EXPECT_TRUE(messages.shown.isEmpty());
  form().SpeedButton5Click();
  EXPECT_EQ(form().page.count(), 2);
  EXPECT_TRUE(
      form().page.PagePath.endsWith(QStringLiteral("Part2/Cadence.Fum")));
  EXPECT_TRUE(messages.shown.isEmpty());
}
