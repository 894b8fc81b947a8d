#include <gtest/gtest.h>

#include "app/core/CourseEditor.h"
#include "score/core/TextEntry.h"
#include "support/DocumentSession.h"
#include "support/TestFiles.h"

// The contents editor on the document: its steps in the saved bytes, the
// checks said before a save, and the open course following the save.

namespace {

class CourseEditing : public ::testing::Test, protected DocumentSession {
 protected:
  CourseEditing() {
    doc.session().setExecutive(true);
    QObject::connect(&doc.navigator(), &CourseNavigator::listChanged,
                     [this](const QStringList &entries) { list = entries; });
  }
  QString folder() { return scratch.file(QStringLiteral("c/")); }
  QByteArray saved() { return readBytes(vrn); }

  QString vrn = course(QStringLiteral("c"));  // one, sub\two, three
  CourseEditor editor{doc};
  QStringList list;
};

}  // namespace

TEST_F(CourseEditing, EachStepIsSavedAndTakenBackInTheBytes) {
  ASSERT_TRUE(editor.open(vrn));
  const QString four = page(QStringLiteral("c/four.fum"), 1);
  const QString five = page(QStringLiteral("c/sub/five.fum"), 1);
  struct Step {
    const char *what;
    std::function<void()> act;
    QByteArray bytes;
  };
  const Step steps[] = {
      {"add two pages after the first",
       [&] {
         editor.addPages({four, five}, 1);
       },
       "one\r\nfour\r\nsub\\five\r\nsub\\two\r\nthree\r\n"},
      {"remove", [&] { editor.remove(0); },
       "four\r\nsub\\five\r\nsub\\two\r\nthree\r\n"},
      {"move down", [&] { editor.move(0, 1); },
       "sub\\five\r\nfour\r\nsub\\two\r\nthree\r\n"},
      {"indent", [&] { editor.indent(1); },
       "sub\\five\r\n  four\r\nsub\\two\r\nthree\r\n"},
      {"undo the indent", [&] { editor.undo(); },
       "sub\\five\r\nfour\r\nsub\\two\r\nthree\r\n"},
      {"redo the indent", [&] { editor.redo(); },
       "sub\\five\r\n  four\r\nsub\\two\r\nthree\r\n"},
  };
  for (const Step &step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_TRUE(editor.isModified());
    ASSERT_TRUE(editor.save());
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(saved(), step.bytes);
  }
  EXPECT_EQ(editor.history().undoText(), QStringLiteral("字下げ"));
  for (int i = 0; i < 4; ++i) editor.undo();
  EXPECT_EQ(messages.beeps, 0);
  editor.undo();
  EXPECT_EQ(messages.beeps, 1) << "nothing left to take back";
  ASSERT_TRUE(editor.save());
  EXPECT_EQ(saved(), "one\r\nsub\\two\r\nthree\r\n");
}

TEST_F(CourseEditing, ProblemsAreMarkedCountedAndAskedAboutBeforeSaving) {
  const QByteArray bytes = "/T\r\none\r\nmissing\r\n\x85\x40\r\n..\\c\\one\r\n";
  scratch.write(QStringLiteral("c/c.vrn"), bytes);
  ASSERT_TRUE(editor.open(vrn));
  EXPECT_EQ(editor.problemCount(), 3);
  for (int i : {1, 2, 3}) EXPECT_FALSE(editor.problem(i).isEmpty()) << i;

  editor.setTitle(QStringLiteral("U"));
  messages.answers = {Messages::Answer::No};
  EXPECT_FALSE(editor.save());
  EXPECT_EQ(saved(), bytes) << "nothing written when the user says No";
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("3 項目")));
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Question);

  // A title code page 932 cannot hold is refused as the letter window
  // refuses such a text; the file stays as it was.
  EXPECT_FALSE(editor.setTitle(QStringLiteral("♬")));
  EXPECT_TRUE(messages.saw(text_entry::unheldMessage(QStringLiteral("♬"))));
  editor.remove(2);
  messages.answers = {Messages::Answer::Yes};
  ASSERT_TRUE(editor.save());
  EXPECT_EQ(saved(), "/U\r\none\r\nmissing\r\n..\\c\\one\r\n");
}

TEST_F(CourseEditing, TheOpenPageIsSavedBeforeItIsAdded) {
  ASSERT_TRUE(editor.open(vrn));
  // The open page: saved first, and on Cancel not added.
  doc.load(page(QStringLiteral("c/open.fum"), 1));
  modify();
  messages.answers = {Messages::Answer::Cancel};
  EXPECT_FALSE(editor.addOpenPage(-1));
  EXPECT_EQ(saveQuestions(), 1);
  messages.answers = {Messages::Answer::Yes};
  EXPECT_TRUE(editor.addOpenPage(0));
  EXPECT_FALSE(doc.isModified());
  ASSERT_TRUE(editor.save());
  EXPECT_EQ(saved(), "open\r\none\r\nsub\\two\r\nthree\r\n");
}

TEST_F(CourseEditing, TheOpenCourseFollowsASave) {
  doc.files().openFile(vrn);
  doc.navigator().selectEntry(1);  // sub\two on screen
  ASSERT_TRUE(editor.open(vrn));
  editor.move(1, 0);
  editor.addPages({page(QStringLiteral("c/four.fum"), 4)}, -1);
  editor.setTitle(QStringLiteral("New"));
  ASSERT_TRUE(editor.save());

  EXPECT_EQ(list, (QStringList{"sub\\two", "one", "three", "four"}));
  EXPECT_EQ(doc.navigator().selectedEntry(), 0) << "the page on screen";
  EXPECT_EQ(doc.navigator().course().ContentsIndex, 0);
  EXPECT_EQ(view.caption, QStringLiteral("New"));
  doc.navigator().goToNextPage();
  EXPECT_EQ(doc.page().count(), 1) << "the page after it is now one";
  doc.navigator().selectEntry(3);
  EXPECT_EQ(doc.page().count(), 4);

  // The page on screen taken out of the course: nothing is chosen, and
  // the remembered page is one that exists.
  editor.remove(3);
  ASSERT_TRUE(editor.save());
  EXPECT_EQ(doc.navigator().selectedEntry(), -1);
  EXPECT_LT(doc.navigator().course().ContentsIndex, 3);
}
