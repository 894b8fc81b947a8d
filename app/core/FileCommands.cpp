#include "app/core/FileCommands.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include "app/core/CourseNavigator.h"
#include "app/core/DocumentView.h"
#include "app/core/PageSwitch.h"
#include "app/core/ProgramSession.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "files/core/FileNames.h"
#include "files/core/PathLookup.h"
#include "files/core/RegularFile.h"
#include "score/core/ScorePage.h"
#include "score/core/TextEntry.h"

FileCommands::FileCommands(ScorePage &page, Messages &messages,
                           DocumentView &view, ProgramSession &session,
                           CourseNavigator &navigator, PageSwitch &pages)
    : page_(page),
      messages_(messages),
      view_(view),
      session_(session),
      navigator_(navigator),
      pages_(pages) {}

void FileCommands::showOpenedPage(const QString &extractedCaption) {
  navigator_.setActive(false);
  if (page_.Modified) view_.showCaption(extractedCaption);
  navigator_.clearNote();
}

void FileCommands::openFile(const QString &path) {
  if (!regular_file::isRegular(path)) {
    messages_.error(regular_file::notFoundMessage(path));
    return;
  }
  if (!pages_.askSaveQuestion()) return;
  const QString extension = file_names::lowerExtension(path);
  if (extension == QStringLiteral(".vrn")) {
    navigator_.open(path);
    return;
  }
  const bool pageFile = extension == QStringLiteral(".fum");
  if (!pageFile && !messages_.askYesNo(QStringLiteral(
                       "譜面ファイルではないファイルを開こうとしています。\r\n"
                       "もし譜面データが含まれていれば、抽出して開きます。\r\n"
                       "続けますか？")))
    return;
  navigator_.clearNote();
  page_.CaptionPath = path;
  pages_.load(path);
  showOpenedPage(QStringLiteral("(テキスト・ファイルからの抽出)"));
  if (pageFile) session_.addRecentFile(path);
}

void FileCommands::openWithDialog() {
  Messages::FileDialog dialog;
  dialog.filter = QStringLiteral(
      "目次ファイル(*.vrn),譜面ファイル(*.fum)|*.vrn;*.fum|"
      "すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("fum");
  dialog.mustExist = true;
  dialog.folder = session_.currentFolder();
  const QString chosen = session_.chooseFile(dialog, false);
  if (!chosen.isEmpty()) openFile(chosen);
}

void FileCommands::reopenRecent(int tag) {
  const QString entry = session_.recent().entry(tag);
  if (entry.isEmpty()) return;
  if (QFileInfo(entry).isFile()) {
    openFile(entry);
    return;
  }
  messages_.error(QStringLiteral("ファイルが見つかりません。"));
  session_.dropRecentFile(tag);
}

void FileCommands::openBundledCourse() {
  const QString path = session_.defaultContentsPath();
  if (QFileInfo(path).isFile())
    openFile(path);
  else
    messages_.error(QStringLiteral("ファイルが見つかりません。"));
}

void FileCommands::openClipboardText() {
  if (!pages_.askSaveQuestion()) return;
  const QString clipboard = view_.clipboardText();
  bool held = true;
  QByteArray text = cp932::fromUnicode(clipboard, &held);
  // The page is read all the same; what became "?" is named first.
  if (!held)
    messages_.error(
        text_entry::unheldMessage(text_entry::unheldCharacters(clipboard)));
  QBuffer buffer(&text);
  buffer.open(QIODevice::ReadOnly);
  pages_.loadFrom(buffer);
  showOpenedPage(QStringLiteral("(クリップボード・データ)"));
}

void FileCommands::saveBitmap() {
  Messages::FileDialog dialog;
  dialog.title = QStringLiteral("ビットマップで保存");
  dialog.filter = QStringLiteral(
      "ビットマップ(*.bmp)|*.bmp|PNG画像(*.png)|*.png|"
      "すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("bmp");
  dialog.confirmOverwrite = true;
  dialog.fileName =
      file_names::bitmapPreset(page_.PagePath, page_.InternalName);
  dialog.folder = session_.currentFolder();
  const QString chosen = session_.chooseFile(dialog, true);
  if (chosen.isEmpty()) return;
  QString error;
  if (!view_.writeCanvasBitmap(chosen, &error)) messages_.generalError(error);
}

void FileCommands::copyBitmap() { view_.copyCanvasToClipboard(); }

void FileCommands::openStartFile(const QStringList &arguments) {
  const QString typed = arguments.value(0);
  if (typed.isEmpty()) {
    const QString course = session_.defaultContentsPath();
    if (QFileInfo(course).isFile())
      openFile(course);
    else
      pages_.newPage();
    return;
  }
  // A relative name means what it meant where the user typed it; the
  // program's own folder is asked only when it is not found there.
  const QStringList candidates{
      QDir(session_.startFolder()).absoluteFilePath(typed),
      QDir(session_.currentFolder()).absoluteFilePath(typed)};
  for (const QString &path : candidates) {
    const QString found = expandLongPath(path);
    if (!found.isEmpty()) {
      openFile(found);
      return;
    }
  }
  pages_.newPage();
  // A missing file just gives the empty page; one that is there but is no
  // file (a FIFO, a device, a folder) is refused by name, as Open does.
  for (const QString &path : candidates) {
    if (QFileInfo::exists(path)) {
      messages_.error(regular_file::notFoundMessage(path));
      return;
    }
  }
}
