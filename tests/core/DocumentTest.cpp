#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <ostream>

#include "files/core/PageFile.h"
#include "support/DocumentSession.h"
#include "support/TestFiles.h"
#include "support/TmpfsMount.h"

namespace {

// The document with the reports a test watches.
struct Session : DocumentSession {
  Session() {
    QObject::connect(&doc.navigator(), &CourseNavigator::selectionChanged,
                     [this](int index) { listShows = index; });
    QObject::connect(&doc, &Document::scrollReset, [this] { ++scrollResets; });
    QObject::connect(&doc.session(), &ProgramSession::executiveChanged,
                     [this](bool on) { executives << on; });
  }

  int listShows = -2;  // the index the list was last told to show; -2: none
  int scrollResets = 0;
  QList<bool> executives;
};

class DocumentTest : public ::testing::Test, protected Session {};

// What the user sees of the page and of the course.
struct Shown {
  QList<QByteArray> contents, xs, ys;
  int staffCount;
  QString pagePath, caption;
  bool modified, contentsMode;
  int contentsIndex, selected;
  bool operator==(const Shown &) const = default;
};

Shown shownBy(const Document &doc, const RecordingView &view) {
  const ScorePage &p = doc.page();
  return {contentsOf(p.Inputs),
          xsOf(p.Inputs),
          ysOf(p.Inputs),
          p.StaffCount,
          p.PagePath,
          view.caption,
          doc.isModified(),
          doc.navigator().active(),
          doc.navigator().course().ContentsIndex,
          doc.navigator().selectedEntry()};
}

void PrintTo(const Shown &s, std::ostream *out) {
  *out << s.contents.size() << " inputs, " << s.staffCount << " staves, \""
       << s.pagePath.toStdString() << "\", "
       << (s.modified ? "modified" : "unmodified") << ", caption \""
       << s.caption.toStdString() << "\", index " << s.contentsIndex
       << ", selected " << s.selected
       << (s.contentsMode ? ", contents mode" : "");
}

}  // namespace

// A modified page whose save fails, whether its folder has gone or the user
// cancelled the name dialog: Yes on the save question must then leave the
// page, its name and the place in the course as they were, since the page
// was not written.
TEST(DocumentSaveQuestion, FailedSaveKeepsThePageAndThePlaceInTheCourse) {
  enum class Failure { FolderGone, NameDialogCancelled };
  struct Command {
    const char *name;
    bool inCourse;   // reachable only while a course is shown
    bool listMoved;  // the list already shows the choice and must go back
    std::function<void(Session &)> run;
  };
  const Command commands[] = {
      {"openFile .fum", false, false,
       [](Session &s) { s.doc.files().openFile(s.scratch.file("p.fum")); }},
      {"openFile .vrn", false, false,
       [](Session &s) {
         s.doc.files().openFile(s.course(QStringLiteral("other")));
       }},
      {"reopenRecent", false, false,
       [](Session &s) { s.doc.files().reopenRecent(2); }},
      {"newPageOfStaves", false, false,
       [](Session &s) { s.doc.edits().newPageOfStaves(2); }},
      {"openClipboardText", false, false,
       [](Session &s) { s.doc.files().openClipboardText(); }},
      {"mayClose", false, false,
       [](Session &s) { EXPECT_FALSE(s.doc.askSaveQuestion()); }},
      {"selectEntry", true, true,
       [](Session &s) { s.doc.navigator().selectEntry(2); }},
      {"SpeedButton4Click", true, false,
       [](Session &s) { s.doc.navigator().goToPreviousPage(); }},
      {"SpeedButton5Click", true, false,
       [](Session &s) { s.doc.navigator().goToNextPage(); }},
  };
  for (Failure failure : {Failure::FolderGone, Failure::NameDialogCancelled}) {
    for (const Command &command : commands) {
      const bool folderGone = failure == Failure::FolderGone;
      if (command.inCourse && !folderGone) continue;
      SCOPED_TRACE(std::string(command.name) +
                   (folderGone ? ", folder gone" : ", name dialog cancelled"));
      Session s;
      s.doc.files().openFile(s.page(QStringLiteral("p.fum"), 1));
      s.doc.files().openFile(s.course(QStringLiteral("course")));
      s.doc.navigator().goToNextPage();  // the second page, in course/sub
      s.view.clipboard = QString::fromLatin1(quarterNotesPage("clip", 4));
      if (folderGone) {
        QDir(s.scratch.file(QStringLiteral("course/sub"))).removeRecursively();
        s.modify();
      } else {
        s.doc.files().openClipboardText();  // a modified page without a file
      }
      ASSERT_TRUE(s.doc.isModified());
      const Shown before = shownBy(s.doc, s.view);
      s.messages = ScriptedMessages();
      s.messages.answers = {Messages::Answer::Yes};
      s.listShows = -2;

      command.run(s);
      EXPECT_EQ(s.saveQuestions(), 1);
      if (folderGone) {
        EXPECT_TRUE(!s.messages.shown.isEmpty() &&
                    s.messages.shown.last().icon == Messages::Icon::Stop);
      } else {
        EXPECT_EQ(s.messages.dialogs.size(), 1);
      }
      EXPECT_EQ(shownBy(s.doc, s.view), before);
      if (command.listMoved || s.listShows != -2) {
        EXPECT_EQ(s.listShows, before.selected);
      }
    }
  }
}

TEST_F(DocumentTest, SaveAsRenamesOnlyWhenThePageWasWritten) {
  const QString first = page(QStringLiteral("a.fum"), 1);
  doc.files().openFile(first);
  messages.paths = {scratch.file(QStringLiteral("missing/b.fum"))};
  EXPECT_FALSE(doc.saveAs());
  EXPECT_EQ(view.caption, QStringLiteral("a.fum"));
  EXPECT_EQ(doc.page().PagePath, first);
  EXPECT_EQ(doc.session().recent().entry(1), first);
  EXPECT_TRUE(doc.session().recent().entry(2).isEmpty());

  const QString second = scratch.file(QStringLiteral("b.fum"));
  messages.paths = {second};
  EXPECT_TRUE(doc.saveAs());
  EXPECT_EQ(view.caption, QStringLiteral("b.fum"));
  EXPECT_EQ(doc.page().PagePath, second);
  EXPECT_EQ(doc.session().recent().entry(1), second);
  EXPECT_EQ(doc.session().recent().entry(2), first);
  EXPECT_EQ(readBytes(second), quarterNotesPage("b", 1));
}

// Outside administrator mode a protected page is not saved, and its edits
// stay marked: closing, turning the page and opening a file each ask first.
TEST_F(DocumentTest, RefusedSaveOfAProtectedPageKeepsTheEditsAsked) {
  const QString contents = course(QStringLiteral("c"));
  const QByteArray locked = "Fum[one]\r\n^-1|4|610|\r\nEnd[one]\r\n";
  const QString path = scratch.write(QStringLiteral("c/one.fum"), locked);
  doc.files().openFile(contents);
  modify();
  EXPECT_FALSE(doc.save());
  EXPECT_TRUE(messages.saw(page_file::protectedPageMessage()));
  EXPECT_FALSE(doc.askSaveQuestion());  // each question is cancelled
  doc.navigator().goToNextPage();
  doc.files().openFile(page(QStringLiteral("o.fum"), 1));
  EXPECT_EQ(saveQuestions(), 3);
  EXPECT_TRUE(doc.isModified());
  EXPECT_EQ(doc.page().PagePath, path);
  EXPECT_EQ(readBytes(path), locked);
}

// The caption names what the window shows: the page's file, the course,
// or where a page without a file came from.
TEST(DocumentCaption, NamesWhatIsShown) {
  const struct {
    const char *what;
    bool executive;
    std::function<void(Session &)> run;
    const char *caption;
  } cases[] = {
      {"empty page", false, [](Session &s) { s.doc.newPage(); }, "(NoFile)"},
      {"empty page, Executive", true, [](Session &s) { s.doc.newPage(); },
       "(NewFile)"},
      {"page file", false,
       [](Session &s) { s.doc.files().openFile(s.page("p/a.fum", 1)); },
       "a.fum"},
      {"file that holds no page", true,
       [](Session &s) {
         s.doc.files().openFile(s.scratch.write("empty.fum", "nothing\r\n"));
       },
       "(NewFile)"},
      {"page taken from other text", false,
       [](Session &s) {
         s.messages.answers = {Messages::Answer::Yes};
         s.doc.files().openFile(s.scratch.write(
             "mail.txt", "Dear reader,\r\n" + quarterNotesPage("mail")));
       },
       "(テキスト・ファイルからの抽出)"},
      {"page from the clipboard", false,
       [](Session &s) {
         s.view.clipboard = QString::fromLatin1(quarterNotesPage("clip"));
         s.doc.files().openClipboardText();
       },
       "(クリップボード・データ)"},
      {"course", false,
       [](Session &s) { s.doc.files().openFile(s.course("c")); }, "c.vrn"},
      {"course with a title", false,
       [](Session &s) {
         s.page("t/intro.fum", 1);
         s.doc.files().openFile(
             s.scratch.write("t/t.vrn", "/" + sjis(QStringLiteral("練習曲集")) +
                                            "\r\n\\Note\r\nintro\r\n"));
       },
       "練習曲集"},
      {"course without a page, its last title", false,
       [](Session &s) {
         s.doc.files().openFile(
             s.scratch.write("e/e.vrn", "/One\r\n/Two\r\n\\Note\r\n"));
       },
       "Two"},
      {"page after a course", false,
       [](Session &s) {
         s.doc.files().openFile(s.course("c"));
         s.doc.files().openFile(s.page("b.fum", 1));
       },
       "b.fum"},
      {"new page after a course, Executive", true,
       [](Session &s) {
         s.doc.files().openFile(s.course("c"));
         s.doc.edits().newPageOfStaves(2);
       },
       "(NewFile)"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Session s;
    s.doc.session().setExecutive(c.executive);
    c.run(s);
    EXPECT_EQ(s.view.caption, QString::fromUtf8(c.caption));
  }
}

// The administrator sees a protected page marked and saves it unchanged;
// an ordinary page he saves is stored protected and marked from then on.
TEST_F(DocumentTest, AdministratorSavesProtectedPagesMarked) {
  const QByteArray locked =
      "Fum[locked]\r\n^-1|4|610|`14|100|48|\r\nEnd[locked]\r\n";
  const QString path = scratch.write(QStringLiteral("locked.fum"), locked);
  doc.files().openFile(path);
  EXPECT_FALSE(view.protectRed);  // only for the administrator

  doc.enterAdministratorMode();
  EXPECT_TRUE(view.protectRed);
  doc.files().openFile(path);
  EXPECT_TRUE(view.protectRed);
  EXPECT_TRUE(doc.save());
  EXPECT_EQ(readBytes(path), locked);

  const QString plain = scratch.write(
      QStringLiteral("plain.fum"), "Fum[plain]\r\n^1|4|610|\r\nEnd[plain]\r\n");
  doc.files().openFile(plain);
  EXPECT_FALSE(view.protectRed);
  EXPECT_TRUE(doc.save());
  EXPECT_EQ(readBytes(plain),
            QByteArray("Fum[plain]\r\n^-1|4|610|\r\nEnd[plain]\r\n"));
  EXPECT_TRUE(view.protectRed);
  EXPECT_EQ(doc.page().ProtectFlag, 1);
}

// A new page's first Save As starts in the current folder, unless the user
// may not write there (the installed program's folder): then in the
// user's documents folder.
TEST_F(DocumentTest, FirstSaveAsStartsWhereTheUserMayWrite) {
  const QString home = scratch.file(QStringLiteral("home"));
  QDir().mkpath(home + QStringLiteral("/Documents"));
  const QByteArray oldHome = qgetenv("HOME");
  qputenv("HOME", home.toUtf8());
  const QString installed = scratch.file(QStringLiteral("installed"));
  // Root may write anywhere but on a read-only file system.
  TmpfsMount readOnly(installed, "size=4k", true);
  QDir().mkpath(installed);
  ::chmod(installed.toLocal8Bit().constData(), 0555);
  for (const QString &current : {scratch.path(), installed}) {
    doc.session().setCurrentFolder(current);
    messages.dialogs.clear();
    EXPECT_FALSE(doc.saveAs());
    ASSERT_EQ(messages.dialogs.size(), 1);
    EXPECT_EQ(messages.dialogs[0].folder,
              current == installed ? home + QStringLiteral("/Documents")
                                   : QDir(current).canonicalPath());
  }
  qputenv("HOME", oldHome);
}

TEST_F(DocumentTest, NoLetsThePageGoSoACourseAsksOnlyOnce) {
  modify();
  messages.answers = {Messages::Answer::No};
  doc.files().openFile(course(QStringLiteral("c")));
  EXPECT_EQ(saveQuestions(), 1);
  EXPECT_FALSE(doc.isModified());
  EXPECT_TRUE(doc.navigator().active());
  EXPECT_EQ(doc.page().PagePath, scratch.file(QStringLiteral("c/one.fum")));
}

TEST_F(DocumentTest, EachCourseRemembersItsOwnPage) {
  const QString a = course(QStringLiteral("a"));
  const QString b = course(QStringLiteral("b"));
  doc.files().openFile(a);
  doc.navigator().goToNextPage();
  doc.navigator().goToNextPage();
  doc.files().openFile(b);
  EXPECT_EQ(
      settings.readInteger(QStringLiteral("Vrn"), QStringLiteral("a.vrn"), -1),
      2);
  EXPECT_EQ(doc.navigator().selectedEntry(), 0) << "b starts at its first page";
  doc.navigator().goToNextPage();
  doc.files().openFile(a);
  EXPECT_EQ(
      settings.readInteger(QStringLiteral("Vrn"), QStringLiteral("b.vrn"), -1),
      1);
  EXPECT_EQ(doc.navigator().selectedEntry(), 2);
  EXPECT_EQ(doc.navigator().course().ContentsIndex, 2);
  EXPECT_EQ(doc.page().PagePath, scratch.file(QStringLiteral("a/three.fum")));
}

TEST_F(DocumentTest, CancelAfterSteppingKeepsThePageShown) {
  doc.files().openFile(course(QStringLiteral("c")));
  doc.navigator().goToNextPage();
  modify();
  // Every question below is cancelled.
  doc.navigator().goToNextPage();
  doc.navigator().goToPreviousPage();
  listShows = -2;
  doc.navigator().selectEntry(0);
  EXPECT_EQ(listShows, 1);
  EXPECT_EQ(saveQuestions(), 3);
  EXPECT_EQ(doc.navigator().selectedEntry(), 1);
  EXPECT_EQ(doc.navigator().course().ContentsIndex, 1);
  EXPECT_EQ(doc.page().count(), 3);
  EXPECT_TRUE(doc.isModified());
}

// What the user chose in one run is there in the next: the current folder
// at shut-down, the line length, the executive option and the recent files.
TEST_F(DocumentTest, SettingsWrittenByOneRunAreReadByTheNext) {
  const QString work = scratch.file(QStringLiteral("work"));
  QDir().mkpath(work);
  doc.session().setCurrentFolder(work);
  const QString current = QDir(work).canonicalPath();
  doc.session().rememberCurrentFolder();
  EXPECT_EQ(doc.session().folder(), current);
  doc.session().setMaxChar(60);
  doc.session().setExecutive(true);
  doc.session().addRecentFile(QStringLiteral("/tmp/ä ü/曲.fum"));
  doc.session().addRecentFile(QStringLiteral("/tmp/b.fum"));
  ASSERT_TRUE(doc.session().write(WindowLayout{}, doc.navigator().course()));
  EXPECT_EQ(settings.readString(QStringLiteral("Fum"), QStringLiteral("Folder"),
                                QString()),
            current);

  Document next(
      {messages, sequencer, settings, scratch.path() + QLatin1Char('/')}, view);
  next.session().read();
  EXPECT_EQ(next.session().folder(), current);
  EXPECT_EQ(next.session().currentFolder(), current);
  EXPECT_EQ(next.session().maxChar(), 60);
  EXPECT_TRUE(next.session().executive());
  EXPECT_EQ(next.session().recent().entry(1), QStringLiteral("/tmp/b.fum"));
  EXPECT_EQ(next.session().recent().entry(2),
            QStringLiteral("/tmp/ä ü/曲.fum"));
}

// Names the settings file cannot hold as keys or values are left out, and
// the rest is written without a message.
TEST_F(DocumentTest, NamesTheSettingsCannotHoldDoNotBlockTheShutDown) {
  page(QStringLiteral("one.fum"), 1);
  doc.files().openFile(scratch.write(QStringLiteral("a=b.vrn"), "one\r\n"));
  ASSERT_TRUE(doc.navigator().active());
  doc.session().addRecentFile(QStringLiteral("/tmp/two\nlines.fum"));
  doc.session().addRecentFile(QStringLiteral("/tmp/ok.fum"));
  EXPECT_TRUE(doc.session().write(WindowLayout{}, doc.navigator().course()));
  EXPECT_TRUE(messages.shown.isEmpty());
  const QString recent = QStringLiteral("RecentFiles");
  EXPECT_EQ(settings.readString(recent, QStringLiteral("r1"), {}),
            QStringLiteral("/tmp/ok.fum"));
  EXPECT_TRUE(
      settings.readString(recent, QStringLiteral("r2"), QStringLiteral("x"))
          .isEmpty());
}

TEST_F(DocumentTest, ExecutiveChangedCarriesTheValue) {
  doc.session().setExecutive(true);
  doc.session().setExecutive(false);
  EXPECT_EQ(executives, (QList<bool>{true, false}));
}

TEST_F(DocumentTest, LoadingScrollsToTheTopAndEndsTheHourglass) {
  scrollResets = 0;
  doc.files().openFile(page(QStringLiteral("a.fum"), 2));
  EXPECT_GE(scrollResets, 1);
  EXPECT_GT(view.busyChanges, 0);
  EXPECT_FALSE(view.busy);
  EXPECT_EQ(view.replays.last(), 2);
  // A file without a page must not leave the hourglass on either.
  doc.files().openFile(scratch.write(QStringLiteral("bad.fum"), "nothing\r\n"));
  EXPECT_TRUE(messages.saw(QStringLiteral("Fumデータが読めません。")));
  EXPECT_FALSE(view.busy);
}

TEST_F(DocumentTest, MiddleClickDoesNothingInNoteOrLetterMode) {
  const struct {
    EditMode mode;
    const char *letterText;
  } cases[] = {{EditMode::Note, ""},
               {EditMode::Letter, ""},
               {EditMode::Letter, "Allegro"}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.letterText);
    doc.input().setMode(c.mode);
    doc.input().setLetterText(QString::fromLatin1(c.letterText));
    const EditorState editor = doc.editor();
    const CanvasCursor cursor = doc.input().cursor();
    doc.input().mousePressed(Qt::MiddleButton, Qt::NoModifier, QPoint(40, 40));
    EXPECT_EQ(doc.page().count(), 0);
    EXPECT_EQ(messages.beeps, 0);
    EXPECT_EQ(doc.editor().CurrentGlyph, editor.CurrentGlyph);
    EXPECT_EQ(doc.editor().FlipToggle, editor.FlipToggle);
    EXPECT_EQ(doc.input().cursor(), cursor);
    EXPECT_FALSE(doc.isModified());
  }
}

TEST_F(DocumentTest, PaletteButtonsWithAndWithoutTheFlip) {
  const struct {
    int normal, flipped;
  } glyphs[14] = {{10, 10}, {12, 13}, {14, 15}, {16, 17}, {18, 19},
                  {21, 21}, {22, 22}, {25, 25}, {28, 29}, {24, 24},
                  {37, 37}, {36, 36}, {35, 35}, {30, 30}};
  auto rightClick = [this] {
    doc.input().mousePressed(Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
  };
  auto shows = [this](int glyph) {
    EXPECT_EQ(doc.editor().CurrentGlyph, glyph);
    EXPECT_EQ(doc.input().cursor(),
              (CanvasCursor{CanvasCursor::Shape::Glyph, glyph}));
  };
  doc.input().setMode(EditMode::Note);
  for (int tag = 1; tag <= 14; ++tag) {
    SCOPED_TRACE(tag);
    doc.input().choosePaletteButton(tag);
    shows(glyphs[tag - 1].normal);
    rightClick();
    shows(glyphs[tag - 1].flipped);
    doc.input().choosePaletteButton(tag);  // the flip stays on
    shows(glyphs[tag - 1].flipped);
    rightClick();
    shows(glyphs[tag - 1].normal);
  }
  EXPECT_EQ(doc.page().count(), 0) << "a right click places nothing";
  // The whole note has no flipped form, but the flip still turns.
  doc.input().choosePaletteButton(1);
  rightClick();
  shows(10);
  doc.input().choosePaletteButton(2);
  shows(13);
}

TEST_F(DocumentTest, LeftClickStampsOnTheStaffGrid) {
  doc.input().setMode(EditMode::Note);
  doc.input().choosePaletteButton(3);
  const struct { int y, stored; } clicks[] = {{9, 8}, {10, 12}, {-1, 0}};
  for (const auto &c : clicks) {
    SCOPED_TRACE(c.y);
    doc.input().mousePressed(Qt::LeftButton, Qt::NoModifier, QPoint(37, c.y));
    const ScorePage &p = doc.page();
    EXPECT_EQ((QList<QByteArray>{contentsOf(p.Inputs).last(),
                                 xsOf(p.Inputs).last(), ysOf(p.Inputs).last()}),
              (QList<QByteArray>{"`14", "37", QByteArray::number(c.stored)}));
    EXPECT_EQ(view.drawn.last(), (RecordingView::Drawn{"`14", 37, c.stored}));
  }
  EXPECT_EQ(doc.page().count(), 3);
  EXPECT_TRUE(doc.isModified());
}

TEST_F(DocumentTest, BitmapExportWritesTheChosenFileAndReportsFailure) {
  doc.files().saveBitmap();  // cancelled
  EXPECT_TRUE(view.bitmapPaths.isEmpty());
  const QString target = scratch.file(QStringLiteral("page.bmp"));
  messages.paths = {target, target};
  doc.files().saveBitmap();
  EXPECT_EQ(view.bitmapPaths, QStringList{target});
  EXPECT_TRUE(messages.shown.isEmpty());
  view.bitmapError = QStringLiteral("disk full");
  doc.files().saveBitmap();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("disk full")));
}

// Each file dialog starts where the last one ended, from the folder the
// settings kept; the program's own working folder never moves.
TEST_F(DocumentTest, FileDialogsFollowTheFolderOfTheLastChosenFile) {
  const QString processFolder = QDir::currentPath();
  const QString kept = scratch.file(QStringLiteral("kept"));
  const QString other = scratch.file(QStringLiteral("other"));
  QDir().mkpath(kept);
  QDir().mkpath(other);
  settings.writeString(QStringLiteral("Fum"), QStringLiteral("Folder"), kept);
  doc.session().read();
  const QString page =
      scratch.write(QStringLiteral("other/p.fum"), quarterNotesPage("p", 2));
  struct Step {
    const char *command;
    std::function<void()> run;
    QString startsIn;
  };
  const Step steps[] = {
      {"open", [&] { doc.files().openWithDialog(); },
       QDir(kept).canonicalPath()},
      {"bitmap", [&] { doc.files().saveBitmap(); },
       QDir(other).canonicalPath()},
  };
  messages.paths = {page};
  for (const Step &step : steps) {
    messages.dialogs.clear();
    step.run();
    ASSERT_EQ(messages.dialogs.size(), 1) << step.command;
    EXPECT_EQ(messages.dialogs[0].folder, step.startsIn) << step.command;
  }
  EXPECT_EQ(doc.page().count(), 2);
  EXPECT_EQ(QDir::currentPath(), processFolder);
}

TEST(DocumentStart, RelativeStartFileIsFoundFromTheStartFolder) {
  const QString before = QDir::currentPath();
  ScratchDir scratch;
  const QString lessons = scratch.file(QStringLiteral("lessons"));
  QDir().mkpath(lessons);
  scratch.write(QStringLiteral("lessons/page1.fum"),
                quarterNotesPage("page1", 3));
  // A file of the same name in the program folder is not the one meant.
  scratch.write(QStringLiteral("program/page1.fum"),
                quarterNotesPage("page1", 1));
  ASSERT_TRUE(QDir::setCurrent(lessons));
  ScriptedMessages messages;
  ScriptedSequencer player;
  SettingsFile settings(scratch.file(QStringLiteral("Vrn32.ini")));
  RecordingView view;
  Document doc(
      {messages, player, settings, scratch.file(QStringLiteral("program/"))},
      view);
  doc.files().openStartFile({QStringLiteral("page1.fum")});
  EXPECT_EQ(doc.page().count(), 3);
  EXPECT_EQ(
      QFileInfo(doc.page().PagePath).canonicalFilePath(),
      QFileInfo(lessons + QStringLiteral("/page1.fum")).canonicalFilePath());
  // Not found there: the program's own folder is asked.
  doc.files().openStartFile({QStringLiteral("page1.fum")});
  QFile::remove(lessons + QStringLiteral("/page1.fum"));
  doc.files().openStartFile({QStringLiteral("page1.fum")});
  EXPECT_EQ(doc.page().count(), 1);
  QDir::setCurrent(before);
}
