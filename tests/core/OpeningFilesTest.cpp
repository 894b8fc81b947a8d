#include <gtest/gtest.h>

#include <QFile>
#include <functional>

#include "support/DocumentSession.h"
#include "support/TestFiles.h"

// The File menu's commands that bring in a page: from a file, from the
// recent list, from the clipboard and from the command line, and the save
// question that guards the page shown.

namespace {

class OpeningFiles : public ::testing::Test, protected DocumentSession {};

}  // namespace

// What opening a file shows, and whether the file joins the recent list: a
// page file whatever the case of its extension, a page file without a
// page, and other text, from which a page is taken only when the user
// agrees.
TEST(OpeningAFile, ShowsWhatItHoldsAndOnlyAPageFileIsRecent) {
  using A = Messages::Answer;
  const QString question = QStringLiteral(
      "譜面ファイルではないファイルを開こうとしています。\r\n"
      "もし譜面データが含まれていれば、抽出して開きます。\r\n"
      "続けますか？");
  const QByteArray mail = "Dear reader,\r\n" + lessonPage() + "Bye\r\n";
  const struct {
    const char *file;
    QByteArray bytes;
    A answer;         // to the question about other text
    QString message;  // the one message shown, if any
    int inputs;
    bool tied, modified, recent;
  } cases[] = {
      // "lesson" matches "LESSON": no question about the name.
      {"LESSON.FUM", lessonPage(), A::Cancel, {}, 2, true, false, true},
      {"empty.fum", "nothing\r\n", A::Cancel,
       QStringLiteral("Fumデータが読めません。"), 0, false, false, true},
      {"mail.txt", mail, A::Yes, question, 2, false, true, false},
      {"mail.txt", mail, A::No, question, 0, false, false, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.file) + ", answer " +
                 std::to_string(int(c.answer)));
    DocumentSession s;
    const QString path = s.scratch.write(QString::fromLatin1(c.file), c.bytes);
    s.messages.answers = {c.answer};
    s.doc.files().openFile(path);
    EXPECT_EQ(s.messages.texts(),
              c.message.isEmpty() ? QStringList() : QStringList{c.message});
    if (c.message == question) {
      EXPECT_EQ(s.messages.shown[0].buttons, Messages::Buttons::YesNo);
    }
    EXPECT_EQ(s.doc.page().count(), c.inputs);
    if (c.inputs) {
      EXPECT_EQ(s.doc.page().PageText, QByteArray("Hello\r\nWorld"));
    }
    EXPECT_EQ(s.doc.page().PagePath, c.tied ? path : QString());
    EXPECT_EQ(s.doc.isModified(), c.modified);
    EXPECT_EQ(s.doc.session().recent().entry(1), c.recent ? path : QString());
  }
}

// Whatever would let a modified page go asks first: Cancel keeps it, No
// lets it go, Yes saves it (asking for a name) and then goes on.
TEST(SaveQuestion, CancelKeepsThePageNoLetsItGoYesSavesItFirst) {
  const struct {
    const char *command;
    std::function<void(DocumentSession &)> run;
    int inputsAfter, stavesAfter;
  } commands[] = {
      {"open a page",
       [](DocumentSession &s) {
         s.doc.files().openFile(s.page(QStringLiteral("lesson.fum"), 2));
       },
       2, 4},
      {"new page of one staff",
       [](DocumentSession &s) { s.doc.edits().newPageOfStaves(1); }, 0, 1},
  };
  using A = Messages::Answer;
  for (const auto &c : commands) {
    for (A answer : {A::Cancel, A::No, A::Yes}) {
      SCOPED_TRACE(std::string(c.command) + ", answer " +
                   std::to_string(int(answer)));
      DocumentSession s;
      s.doc.edits().applyPaperDialog(3, 610);
      s.modify();
      const QString saved = s.scratch.file(QStringLiteral("first.fum"));
      s.messages.answers = {answer};
      s.messages.paths = {saved};
      c.run(s);
      ASSERT_EQ(s.messages.shown.size(), 1);
      EXPECT_EQ(s.messages.shown[0].text,
                QStringLiteral("現在の譜面をファイルに保存しますか？"));
      EXPECT_EQ(s.messages.shown[0].buttons, Messages::Buttons::YesNoCancel);
      EXPECT_EQ(s.messages.shown[0].icon, Messages::Icon::Warning);
      if (answer == A::Cancel) {
        EXPECT_EQ(s.doc.page().count(), 1);
        EXPECT_EQ(s.doc.page().StaffCount, 3);
        EXPECT_TRUE(s.doc.isModified());
      } else {
        EXPECT_EQ(s.doc.page().count(), c.inputsAfter);
        EXPECT_EQ(s.doc.page().StaffCount, c.stavesAfter);
        EXPECT_FALSE(s.doc.isModified());
      }
      EXPECT_EQ(QFile::exists(saved), answer == A::Yes);
      if (answer == A::Yes) {
        EXPECT_TRUE(
            readBytes(saved).startsWith("Fum[first]\r\n^1|3|610|`14|200|48|"));
      }
    }
  }
}

// The canvas stops drawing at a number that is not whole; the document
// names it.
TEST_F(OpeningFiles, AnInputThatIsNotANumberIsReported) {
  view.replayError = QByteArray("1O0");
  doc.files().openFile(page(QStringLiteral("bad.fum"), 1));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text,
            QStringLiteral("'1O0' は整数ではありません."));
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Stop);
}

TEST_F(OpeningFiles, AGoneRecentFileIsSaidAndLeavesTheList) {
  QStringList paths;
  for (const char *name : {"p1.fum", "p2.fum", "p3.fum"}) {
    paths << page(QString::fromLatin1(name), 1);
    doc.files().openFile(paths.last());
  }
  doc.files().openFile(paths[0]);  // once in the list, on top
  EXPECT_EQ(doc.session().recent().entry(1), paths[0]);
  EXPECT_EQ(doc.session().recent().entry(3), paths[1]);
  EXPECT_TRUE(doc.session().recent().entry(4).isEmpty());

  QFile::remove(paths[2]);
  doc.files().reopenRecent(2);
  EXPECT_TRUE(messages.saw(QStringLiteral("ファイルが見つかりません。")));
  EXPECT_EQ(doc.page().PagePath, paths[0]);
  EXPECT_EQ(doc.session().recent().entry(2), paths[1]);
  EXPECT_TRUE(doc.session().recent().entry(3).isEmpty());

  doc.files().reopenRecent(2);
  EXPECT_EQ(doc.page().PagePath, paths[1]);
  EXPECT_EQ(doc.session().recent().entry(1), paths[1]);
}

// Only a page opens from the clipboard, whatever its line ends; its text
// comes in as code page 932, what that cannot hold is named and the page
// opens all the same, and anything else holds no page.
TEST_F(OpeningFiles, OnlyAPageOpensFromTheClipboard) {
  const QString noPage = QStringLiteral("Fumデータが読めません。");
  const QString lfPage =
      QString::fromLatin1(quarterNotesPage("clip", 2)).replace("\r\n", "\n");
  const struct {
    const char *what;
    QString clipboard;
    int inputs;       // -1: nothing opens
    QString message;  // part of the one message shown, if any
    QByteArray text;
  } cases[] = {
      {"page",
       QStringLiteral(
           "Fum[clip]\r\n~音楽\r\n^1|2|300|`14|50|48|\r\nEnd[clip]\r\n"),
       1,
       {},
       sjis(QStringLiteral("音楽"))},
      {"page with Linux line ends", lfPage, 2, {}, {}},
      {"page after what it cannot hold",
       QStringLiteral("😀\n") + lfPage,
       2,
       QStringLiteral("😀"),
       {}},
      {"region text",
       QStringLiteral("%Fum%\r\n0\r\n0\r\n10\r\n10\r\n`14\r\n5\r\n5\r\n"),
       -1,
       noPage,
       {}},
      {"empty", QString(), -1, noPage, {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    doc.newPage();
    messages = ScriptedMessages();
    view.clipboard = c.clipboard;
    doc.files().openClipboardText();
    EXPECT_TRUE(doc.page().PagePath.isEmpty());
    EXPECT_EQ(doc.page().count(), std::max(c.inputs, 0));
    EXPECT_EQ(doc.isModified(), c.inputs > 0);
    if (c.message.isEmpty()) {
      EXPECT_TRUE(messages.shown.isEmpty());
    } else {
      ASSERT_EQ(messages.shown.size(), 1);
      EXPECT_TRUE(messages.shown[0].text.contains(c.message));
    }
    EXPECT_EQ(doc.page().PageText, c.text);
  }
}

// A page without a file is offered its own name, and its bitmap the name
// up to the last full stop.
TEST_F(OpeningFiles, SaveDialogsOfferThePagesName) {
  EXPECT_FALSE(doc.save());  // no file yet: Save As, cancelled
  ASSERT_EQ(messages.dialogs.size(), 1);
  EXPECT_TRUE(messages.dialogs[0].fileName.isEmpty());
  EXPECT_EQ(messages.dialogs[0].defaultExtension, QStringLiteral("fum"));
  EXPECT_TRUE(messages.dialogs[0].confirmOverwrite);

  view.clipboard =
      QStringLiteral("Fum[Lesson 1.2]\r\n^1|4|610|\r\nEnd[Lesson 1.2]\r\n");
  doc.files().openClipboardText();
  ASSERT_TRUE(doc.page().PagePath.isEmpty());
  EXPECT_FALSE(doc.saveAs());
  EXPECT_EQ(messages.dialogs[1].fileName, QStringLiteral("Lesson 1.2"));
  doc.files().saveBitmap();
  EXPECT_EQ(messages.dialogs[2].fileName, QStringLiteral("Lesson 1.bmp"));
  EXPECT_EQ(messages.dialogs[2].title, QStringLiteral("ビットマップで保存"));

  // Once saved, the dialog offers the file.
  const QString target = scratch.file(QStringLiteral("Lesson 2.fum"));
  messages.paths = {target};
  ASSERT_TRUE(doc.saveAs());
  EXPECT_FALSE(doc.saveAs());
  EXPECT_EQ(messages.dialogs.last().fileName, target);
}

// A course opens from the program's folder without entering the recent
// list; once gone, it is said.
TEST_F(OpeningFiles, TheBundledCourseNeverEntersTheRecentList) {
  page(QStringLiteral("Data/one.fum"), 1);
  const QString path =
      scratch.write(QStringLiteral("Data/Varnel.vrn"), "/Varnel\r\none\r\n");
  doc.files().openBundledCourse();
  EXPECT_TRUE(doc.navigator().active());
  EXPECT_EQ(doc.navigator().course().ContentsPath, path);
  EXPECT_TRUE(doc.session().recent().entry(1).isEmpty());
  QFile::remove(path);
  doc.files().openBundledCourse();
  EXPECT_TRUE(messages.saw(QStringLiteral("ファイルが見つかりません。")));
}

// Without a file on the command line the bundled course opens; a file that
// cannot be found gives an empty page, without a message.
TEST(StartFile, TheFileNamedOrElseTheBundledCourse) {
  for (bool named : {false, true}) {
    SCOPED_TRACE(named ? "a missing file named" : "no file named");
    DocumentSession s;
    s.page(QStringLiteral("Data/intro.fum"), 1);
    s.scratch.write(QStringLiteral("Data/Varnel.vrn"), "/Course\r\nintro\r\n");
    s.doc.files().openStartFile(
        named ? QStringList{QStringLiteral("no-such-page.fum")}
              : QStringList{});
    EXPECT_TRUE(s.messages.shown.isEmpty());
    EXPECT_EQ(s.doc.navigator().active(), !named);
    EXPECT_EQ(s.doc.page().count(), named ? 0 : 1);
  }
}
