#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QUrl>

#include "app/windows/TextWindow.h"
#include "support/ProgramFixture.h"

namespace {

const QByteArray LessonPage =
    "Fum[lesson]\r\n~Hello|World\r\n^1|4|610|`32|40|70|Allegro|100|20|\r\n"
    "End[lesson]\r\n";

class FileCommandsInWindow : public ProgramTest {
 protected:
  FileCommandsInWindow() { doc().session().setExecutive(true); }
  void modify() {
    doc().appendInput("`14", 100, 48);
    doc().setModified(true);
  }
};

}  // namespace

TEST_F(FileCommandsInWindow, OpensAPageFileWhateverTheCaseOfItsExtension) {
  const QString path = scratch.write(QStringLiteral("LESSON.FUM"), LessonPage);
  doc().files().openFile(path);
  EXPECT_EQ(page().count(), 2);
  EXPECT_EQ(page().PagePath, path);
  EXPECT_EQ(page().CaptionPath, path);
  EXPECT_FALSE(page().Modified);
  EXPECT_EQ(page().PageText, QByteArray("Hello\r\nWorld"));
  EXPECT_EQ(memo()->toPlainText(), QStringLiteral("Hello\nWorld"));
  EXPECT_EQ(form().windowTitle(), QStringLiteral("LESSON.FUM"));
  EXPECT_EQ(doc().session().recent().entry(1), path);
  EXPECT_TRUE(messages.shown.isEmpty());  // "lesson" matches "LESSON"
}

TEST_F(FileCommandsInWindow, SaveQuestionOfOpenFile) {
  const QString path = scratch.write(QStringLiteral("lesson.fum"), LessonPage);
  modify();
  messages.answers = {Messages::Answer::Cancel};
  doc().files().openFile(path);
  EXPECT_EQ(page().count(), 1);
  EXPECT_TRUE(page().Modified);

  messages.answers = {Messages::Answer::No};
  doc().files().openFile(path);
  EXPECT_EQ(page().count(), 2);
  EXPECT_FALSE(page().Modified);

  // Yes saves first: the page without a path asks for a name.
  const QString saved = scratch.file(QStringLiteral("first.fum"));
  doc().newPage();
  modify();
  messages.answers = {Messages::Answer::Yes};
  messages.paths = {saved};
  doc().files().openFile(path);
  EXPECT_TRUE(readBytes(saved).startsWith("Fum[first]\r\n"));
  EXPECT_EQ(page().PagePath, path);
}

TEST_F(FileCommandsInWindow,
       PageFileWithoutAPageGivesAnEmptyPageAndStaysRecent) {
  const QString path =
      scratch.write(QStringLiteral("empty.fum"), "nothing\r\n");
  modify();
  messages.answers = {Messages::Answer::No};
  doc().files().openFile(path);
  EXPECT_TRUE(messages.saw(QStringLiteral("Fumデータが読めません。")));
  EXPECT_EQ(page().count(), 0);
  EXPECT_TRUE(page().PagePath.isEmpty());
  EXPECT_EQ(form().windowTitle(), QStringLiteral("(NewFile)"));
  EXPECT_EQ(doc().session().recent().entry(1), path);
}

TEST_F(FileCommandsInWindow, PageIsExtractedFromOtherText) {
  const QString path = scratch.write(
      QStringLiteral("mail.txt"), "Dear reader,\r\n" + LessonPage + "Bye\r\n");
  messages.answers = {Messages::Answer::Yes};
  doc().files().openFile(path);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(
      messages.shown[0].text,
      QStringLiteral("譜面ファイルではないファイルを開こうとしています。\r\n"
                     "もし譜面データが含まれていれば、抽出して開きます。\r\n"
                     "続けますか？"));
  EXPECT_EQ(messages.shown[0].buttons, Messages::Buttons::YesNo);
  EXPECT_EQ(page().count(), 2);
  EXPECT_TRUE(page().PagePath.isEmpty());
  EXPECT_TRUE(page().Modified);
  EXPECT_EQ(form().windowTitle(),
            QStringLiteral("(テキスト・ファイルからの抽出)"));
  EXPECT_TRUE(doc().session().recent().entry(1).isEmpty());

  doc().newPage();
  messages.answers = {Messages::Answer::No};
  doc().files().openFile(path);
  EXPECT_EQ(page().count(), 0);
}

TEST_F(FileCommandsInWindow, RecentFilesList) {
  QStringList paths;
  for (int i = 1; i <= 9; ++i)
    paths << scratch.write(QStringLiteral("p%1.fum").arg(i), LessonPage);
  doc().files().openFile(paths[0]);
  doc().files().openFile(paths[0]);
  EXPECT_EQ(doc().session().recent().entry(1), paths[0]);
  EXPECT_TRUE(doc().session().recent().entry(2).isEmpty());
  for (const QString &p : paths) doc().files().openFile(p);
  EXPECT_EQ(doc().session().recent().entry(1), paths[8]);
  EXPECT_EQ(doc().session().recent().entry(8), paths[1]);  // p1 dropped off
  EXPECT_EQ(action("ReOpen1")->text(), QStringLiteral("p9.fum"));

  QFile::remove(paths[5]);
  action("ReOpen4")->trigger();  // entry 4 is p6
  EXPECT_TRUE(messages.saw(QStringLiteral("ファイルが見つかりません。")));
  EXPECT_EQ(doc().session().recent().entry(4), paths[4]);
  EXPECT_TRUE(doc().session().recent().entry(8).isEmpty());

  action("ReOpen2")->trigger();  // p8 moves to the top
  EXPECT_EQ(doc().session().recent().entry(1), paths[7]);
  EXPECT_EQ(page().PagePath, paths[7]);
}

TEST_F(FileCommandsInWindow, SaveAsPresetsAndRecent) {
  action("Save1")->trigger();  // no path: Save As, cancelled
  ASSERT_EQ(messages.dialogs.size(), 1);
  EXPECT_TRUE(messages.dialogs[0].fileName.isEmpty());
  EXPECT_EQ(messages.dialogs[0].defaultExtension, QStringLiteral("fum"));
  EXPECT_TRUE(messages.dialogs[0].confirmOverwrite);

  // A page from the clipboard has its internal name but no file.
  QApplication::clipboard()->setText(
      QStringLiteral("Fum[Lesson 1.2]\r\n^1|4|610|\r\nEnd[Lesson 1.2]\r\n"));
  doc().files().openClipboardText();
  ASSERT_TRUE(page().PagePath.isEmpty());
  action("SaveAs1")->trigger();
  EXPECT_EQ(messages.dialogs[1].fileName, QStringLiteral("Lesson 1.2"));
  action("SaveBmp1")->trigger();
  EXPECT_EQ(messages.dialogs[2].fileName, QStringLiteral("Lesson 1.bmp"));
  EXPECT_EQ(messages.dialogs[2].title, QStringLiteral("ビットマップで保存"));

  const QString target = scratch.file(QStringLiteral("Lesson 2.fum"));
  messages.paths = {target};
  EXPECT_TRUE(doc().saveAs());
  EXPECT_EQ(page().PagePath, target);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Lesson 2.fum"));
  EXPECT_EQ(doc().session().recent().entry(1), target);
  EXPECT_EQ(action("ReOpen1")->text(), QStringLiteral("Lesson 2.fum"));
  EXPECT_EQ(readBytes(target),
            QByteArray("Fum[Lesson 2]\r\n^1|4|610|\r\nEnd[Lesson 2]\r\n"));
  EXPECT_FALSE(doc().saveAs());  // cancelled
  EXPECT_EQ(messages.dialogs.last().fileName, target);
}

TEST_F(FileCommandsInWindow, BitmapExportIsARealBitmap) {
  const QString target = scratch.file(QStringLiteral("page.bmp"));
  messages.paths = {target};
  doc().appendInput("`32", 40, 48);
  doc().redrawAll();
  doc().files().saveBitmap();
  QImage back(target);
  ASSERT_FALSE(back.isNull());
  EXPECT_TRUE(readBytes(target).startsWith("BM"));
  EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32),
            form().canvasImage().convertToFormat(QImage::Format_RGB32));
  EXPECT_FALSE(page().Modified);

  doc().files().copyBitmap();
  EXPECT_EQ(QApplication::clipboard()->image().size(),
            form().canvasImage().size());
}

TEST_F(FileCommandsInWindow, ClosingAsksTheSaveQuestion) {
  form().show();
  modify();
  messages.answers = {Messages::Answer::Cancel};
  EXPECT_FALSE(form().close());
  // Yes on a page without a path asks for a name; cancelling that saves
  // nothing, so the window stays open.
  messages.answers = {Messages::Answer::Yes};
  EXPECT_FALSE(form().close());
  EXPECT_EQ(messages.dialogs.size(), 1);
  EXPECT_TRUE(form().isVisible());
  // Named, the page is saved and the window closes.
  const QString target = scratch.file(QStringLiteral("closing.fum"));
  messages.answers = {Messages::Answer::Yes};
  messages.paths = {target};
  EXPECT_TRUE(form().close());
  EXPECT_TRUE(readBytes(target).startsWith("Fum[closing]\r\n"));
}

TEST_F(FileCommandsInWindow, OpenFromTheClipboard) {
  QApplication::clipboard()->setText(QStringLiteral(
      "Fum[clip]\r\n~音楽\r\n^1|2|300|`14|50|48|\r\nEnd[clip]\r\n"));
  doc().files().openClipboardText();
  EXPECT_EQ(page().count(), 1);
  EXPECT_EQ(page().StaffCount, 2);
  EXPECT_TRUE(page().Modified);
  EXPECT_TRUE(page().PagePath.isEmpty());
  EXPECT_EQ(page().PageText, sjis(QStringLiteral("音楽")));
  EXPECT_EQ(memo()->toPlainText(), QStringLiteral("音楽"));
  EXPECT_EQ(form().windowTitle(), QStringLiteral("(クリップボード・データ)"));

  // A region text is not a page.
  QApplication::clipboard()->setText(
      QStringLiteral("%Fum%\r\n0\r\n0\r\n10\r\n10\r\n`14\r\n5\r\n5\r\n"));
  messages.answers = {Messages::Answer::No};
  doc().files().openClipboardText();
  EXPECT_TRUE(messages.saw(QStringLiteral("Fumデータが読めません。")));
  EXPECT_EQ(page().count(), 0);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("(NewFile)"));

  QApplication::clipboard()->clear();
  messages.shown.clear();
  doc().files().openClipboardText();
  EXPECT_TRUE(messages.saw(QStringLiteral("Fumデータが読めません。")));
}

TEST_F(FileCommandsInWindow, DroppedFilesOpenTheFirstOnly) {
  const QString first = scratch.write(QStringLiteral("a.fum"), LessonPage);
  const QString second = scratch.write(QStringLiteral("b.fum"), LessonPage);
  EXPECT_TRUE(form().DropFiles({QUrl(QStringLiteral("https://x/y.fum")),
                                QUrl::fromLocalFile(first),
                                QUrl::fromLocalFile(second)}));
  // The file is opened once the drop has returned.
  EXPECT_TRUE(page().PagePath.isEmpty());
  QCoreApplication::processEvents();
  EXPECT_EQ(page().PagePath, first);
  EXPECT_EQ(doc().session().recent().entry(1), first);
  EXPECT_TRUE(doc().session().recent().entry(2).isEmpty());
  EXPECT_FALSE(form().DropFiles({QUrl(QStringLiteral("https://x/y.fum"))}));
}
