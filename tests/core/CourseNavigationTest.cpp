#include <gtest/gtest.h>

#include "support/DocumentSession.h"
#include "support/TestFiles.h"

// A course on the document: what opening it shows, the page buttons, the
// page kept for the next run and a course without pages.

namespace {

class CourseNavigation : public ::testing::Test, protected DocumentSession {
 protected:
  CourseNavigation() {
    QObject::connect(&doc.navigator(), &CourseNavigator::listChanged,
                     [this](const QStringList &entries) { list = entries; });
  }
  // A course of three pages, its entries indented in different ways.
  QString indented() {
    page(QStringLiteral("course/one.fum"), 1);
    page(QStringLiteral("course/two.fum"), 2);
    page(QStringLiteral("course/three.fum"), 3);
    return scratch.write(QStringLiteral("course/course.vrn"),
                         "one\r\n  two\r\n\tthree\r\n");
  }

  QStringList list;  // what the tool bar's list was last given
};

}  // namespace

TEST_F(CourseNavigation, OpeningShowsTheFirstPageAndEntersTheRecentList) {
  page(QStringLiteral("c/intro.fum"), 1);
  const QString path =
      scratch.write(QStringLiteral("c/first.vrn"),
                    "/First steps\r\n\\Sample data\r\nintro\r\n  "
                    "scale\r\nlesson2\\cadence\r\n\r\n");
  doc.files().openFile(path);
  EXPECT_TRUE(doc.navigator().active());
  EXPECT_EQ(doc.navigator().course().ContentsTitle, "First steps");
  EXPECT_EQ(doc.navigator().course().ContentsNote, "Sample data");
  ASSERT_EQ(list.size(), 4);
  EXPECT_EQ(list[1], QStringLiteral("  scale"));
  EXPECT_EQ(doc.navigator().selectedEntry(), 0);
  EXPECT_EQ(doc.page().count(), 1);
  EXPECT_EQ(doc.session().recent().entry(1), path);
}

TEST_F(CourseNavigation, PageButtonsStepThroughTheCourseAndBeepAtTheEnds) {
  doc.files().openFile(indented());
  const struct {
    bool next;
    int entry, inputs, beeps;
  } steps[] = {{false, 0, 1, 1},
               {true, 1, 2, 1},
               {true, 2, 3, 1},
               {true, 2, 3, 2},
               {false, 1, 2, 2}};
  for (const auto &step : steps) {
    if (step.next)
      doc.navigator().goToNextPage();
    else
      doc.navigator().goToPreviousPage();
    EXPECT_EQ(doc.navigator().selectedEntry(), step.entry);
    EXPECT_EQ(doc.navigator().course().ContentsIndex, step.entry);
    EXPECT_EQ(doc.page().count(), step.inputs);
    EXPECT_EQ(messages.beeps, step.beeps);
  }
}

// The next run opens the course at the page it was left at; a remembered
// page beyond the list opens the first.
TEST_F(CourseNavigation, TheNextRunOpensThePageLeftAt) {
  const QString path = indented();
  doc.files().openFile(path);
  doc.navigator().goToNextPage();
  doc.navigator().goToNextPage();
  ASSERT_TRUE(doc.session().write(WindowLayout{}, doc.navigator().course()));
  // The next run, on the same settings file: the page it opens the course at.
  auto nextRunOpens = [&] {
    RecordingView nextView;
    Document next(
        {messages, sequencer, settings, scratch.path() + QLatin1Char('/')},
        nextView);
    next.session().read();
    next.files().openFile(path);
    EXPECT_EQ(next.page().count(), next.navigator().selectedEntry() + 1);
    return next.navigator().selectedEntry();
  };
  EXPECT_EQ(nextRunOpens(), 2);
  settings.writeInteger(QStringLiteral("Vrn"), QStringLiteral("course.vrn"), 7);
  EXPECT_EQ(nextRunOpens(), 0);
}

TEST_F(CourseNavigation, ACourseWithoutPagesSaysSoAndEndsTheCourse) {
  doc.files().openFile(scratch.write(QStringLiteral("e/empty.vrn"),
                                     "/One\r\n/Two\r\n\\Note\r\n"));
  EXPECT_TRUE(messages.saw(
      QStringLiteral("Vrnファイルに記述されたファイルが見つかりません。")));
  EXPECT_FALSE(doc.navigator().active());
  messages.beeps = 0;
  doc.navigator().goToNextPage();
  EXPECT_EQ(messages.beeps, 1);
}

TEST_F(CourseNavigation, ACourseMadeOnWindowsOpensWithoutAMessage) {
  scratch.write(QStringLiteral("win/Lesson1.FUM"),
                quarterNotesPage("lesson1", 1));
  scratch.write(QStringLiteral("win/Lesson2/Cadence.Fum"),
                quarterNotesPage("cadence", 2));
  doc.files().openFile(scratch.write(QStringLiteral("win/COURSE.VRN"),
                                     "lesson1\r\nlesson2\\cadence\r\n"));
  EXPECT_EQ(doc.page().count(), 1);
  doc.navigator().goToNextPage();
  EXPECT_EQ(doc.page().count(), 2);
  EXPECT_TRUE(
      doc.page().PagePath.endsWith(QStringLiteral("Lesson2/Cadence.Fum")));
  EXPECT_TRUE(messages.shown.isEmpty());
}
