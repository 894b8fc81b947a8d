#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QUrl>

#include "app/windows/TextWindow.h"
#include "support/ProgramFixture.h"

namespace {

class FileCommandsInWindow : public ProgramTest {
 protected:
  FileCommandsInWindow() { doc().session().setExecutive(true); }
  void modify() {
    doc().appendInput("`14", 100, 48);
    doc().setModified(true);
  }
};

}  // namespace

// The title bar and the text window show the page opened, and let it go
// with it.
TEST_F(FileCommandsInWindow, TheWindowsShowThePageOpened) {
  doc().files().openFile(
      scratch.write(QStringLiteral("LESSON.FUM"), lessonPage()));
  EXPECT_EQ(form().windowTitle(), QStringLiteral("LESSON.FUM"));
  EXPECT_EQ(memo()->toPlainText(), QStringLiteral("Hello\nWorld"));
  doc().newPage();
  EXPECT_EQ(form().windowTitle(), QStringLiteral("(NewFile)"));
  EXPECT_TRUE(memo()->toPlainText().isEmpty());
}

TEST_F(FileCommandsInWindow, RecentMenuItemsFollowTheList) {
  QStringList paths;
  for (int i = 1; i <= 3; ++i) {
    paths << scratch.write(QStringLiteral("p%1.fum").arg(i), lessonPage());
    doc().files().openFile(paths.last());
  }
  EXPECT_EQ(action("ReOpen1")->text(), QStringLiteral("p3.fum"));
  EXPECT_EQ(action("ReOpen3")->text(), QStringLiteral("p1.fum"));
  action("ReOpen3")->trigger();
  EXPECT_EQ(page().PagePath, paths[0]);
  EXPECT_EQ(action("ReOpen1")->text(), QStringLiteral("p1.fum"));
}

TEST_F(FileCommandsInWindow, SaveItemsAskForTheirFiles) {
  action("Save1")->trigger();  // no path: Save As, cancelled
  action("SaveAs1")->trigger();
  action("SaveBmp1")->trigger();
  ASSERT_EQ(messages.dialogs.size(), 3);
  EXPECT_EQ(messages.dialogs[0].defaultExtension, QStringLiteral("fum"));
  EXPECT_EQ(messages.dialogs[1].defaultExtension, QStringLiteral("fum"));
  EXPECT_EQ(messages.dialogs[2].title, QStringLiteral("ビットマップで保存"));
}

TEST_F(FileCommandsInWindow, PictureSaveWritesTheTypeItsNameAsksFor) {
  doc().appendInput("`32", 40, 48);
  doc().setModified(false);
  const struct {
    const char *name, *magic;
  } cases[] = {{"page.bmp", "BM"}, {"page.PNG", "\x89PNG"}, {"page", "BM"}};
  for (const auto &c : cases) {
    const QString target = scratch.file(QString::fromLatin1(c.name));
    messages.paths = {target};
    doc().files().saveBitmap();
    EXPECT_TRUE(readBytes(target).startsWith(c.magic)) << c.name;
    QImage back;
    ASSERT_TRUE(back.loadFromData(readBytes(target))) << c.name;
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32),
              form().canvasImage().convertToFormat(QImage::Format_RGB32));
  }
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

TEST_F(FileCommandsInWindow, OpensAPageFromTheRealClipboard) {
  QApplication::clipboard()->setText(QStringLiteral(
      "Fum[clip]\r\n~音楽\r\n^1|2|300|`14|50|48|\r\nEnd[clip]\r\n"));
  doc().files().openClipboardText();
  EXPECT_EQ(page().count(), 1);
  EXPECT_EQ(memo()->toPlainText(), QStringLiteral("音楽"));
  EXPECT_EQ(form().windowTitle(), QStringLiteral("(クリップボード・データ)"));
}

TEST_F(FileCommandsInWindow, DroppedFilesOpenTheFirstOnly) {
  const QString first = scratch.write(QStringLiteral("a.fum"), lessonPage());
  const QString second = scratch.write(QStringLiteral("b.fum"), lessonPage());
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
