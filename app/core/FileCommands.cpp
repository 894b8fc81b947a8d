#include "app/core/FileCommands.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include "app/core/Document.h"
#include "app/core/DocumentView.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "files/core/FileNames.h"
#include "files/core/PathLookup.h"
#include "files/core/RegularFile.h"
#include "score/core/TextEntry.h"

void FileCommands::showOpenedPage(const QString &extractedCaption) {
  doc_.setContentsMode(false);
  if (doc_.page_.Modified) doc_.view_.showCaption(extractedCaption);
  doc_.navigator_.course_.ContentsNote.clear();
}

void FileCommands::openFile(const QString &path) {
  Messages &messages = doc_.messages_;
  if (!regular_file::isRegular(path)) {
    messages.error(regular_file::notFoundMessage(path));
    return;
  }
  if (!doc_.askSaveQuestion()) return;
  const QString extension = file_names::lowerExtension(path);
  if (extension == QStringLiteral(".vrn")) {
    doc_.navigator_.open(path);
    return;
  }
  const bool pageFile = extension == QStringLiteral(".fum");
  if (!pageFile && !messages.askYesNo(QStringLiteral(
                       "譜面ファイルではないファイルを開こうとしています。\r\n"
                       "もし譜面データが含まれていれば、抽出して開きます。\r\n"
                       "続けますか？")))
    return;
  doc_.navigator_.course_.ContentsNote.clear();
  doc_.page_.CaptionPath = path;
  doc_.page_.PagePath = path;
  doc_.load();
  showOpenedPage(QStringLiteral("(テキスト・ファイルからの抽出)"));
  if (pageFile) doc_.session_.addRecentFile(path);
}

void FileCommands::openWithDialog() {
  Messages::FileDialog dialog;
  dialog.filter = QStringLiteral(
      "目次ファイル(*.vrn),譜面ファイル(*.fum)|*.vrn;*.fum|"
      "すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("fum");
  dialog.mustExist = true;
  dialog.folder = doc_.session_.currentFolder();
  const QString chosen = doc_.session_.chooseFile(dialog, false);
  if (!chosen.isEmpty()) openFile(chosen);
}

void FileCommands::reopenRecent(int tag) {
  const QString entry = doc_.session_.recent().entry(tag);
  if (entry.isEmpty()) return;
  if (QFileInfo(entry).isFile()) {
    openFile(entry);
    return;
  }
  doc_.messages_.error(QStringLiteral("ファイルが見つかりません。"));
  doc_.session_.dropRecentFile(tag);
}

void FileCommands::openBundledCourse() {
  const QString path = doc_.session_.defaultContentsPath();
  if (QFileInfo(path).isFile())
    openFile(path);
  else
    doc_.messages_.error(QStringLiteral("ファイルが見つかりません。"));
}

void FileCommands::openClipboardText() {
  if (!doc_.askSaveQuestion()) return;
  const QString clipboard = doc_.view_.clipboardText();
  bool held = true;
  QByteArray text = cp932::fromUnicode(clipboard, &held);
  // The page is read all the same; what became "?" is named first.
  if (!held)
    doc_.messages_.error(
        text_entry::unheldMessage(text_entry::unheldCharacters(clipboard)));
  QBuffer buffer(&text);
  buffer.open(QIODevice::ReadOnly);
  doc_.page_.PagePath.clear();
  doc_.load(&buffer);
  showOpenedPage(QStringLiteral("(クリップボード・データ)"));
}

void FileCommands::saveBitmap() {
  Messages::FileDialog dialog;
  dialog.title = QStringLiteral("ビットマップで保存");
  dialog.filter =
      QStringLiteral("ビットマップ(*.bmp)|*.bmp|すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("bmp");
  dialog.confirmOverwrite = true;
  dialog.fileName =
      file_names::bitmapPreset(doc_.page_.PagePath, doc_.page_.InternalName);
  dialog.folder = doc_.session_.currentFolder();
  const QString chosen = doc_.session_.chooseFile(dialog, true);
  if (chosen.isEmpty()) return;
  QString error;
  if (!doc_.view_.writeCanvasBitmap(chosen, &error))
    doc_.messages_.generalError(error);
}

void FileCommands::copyBitmap() { doc_.view_.copyCanvasToClipboard(); }

void FileCommands::openStartFile(const QStringList &arguments) {
  const ProgramSession &session = doc_.session_;
  QString startFile = session.defaultContentsPath();
  if (!arguments.isEmpty() && !arguments.first().isEmpty()) {
    // A relative name means what it meant where the user typed it; the
    // program's own folder is asked only when it is not found there.
    const QString typed = arguments.first();
    startFile =
        expandLongPath(QDir(session.startFolder()).absoluteFilePath(typed));
    if (startFile.isEmpty())
      startFile =
          expandLongPath(QDir(session.currentFolder()).absoluteFilePath(typed));
  }
  if (!startFile.isEmpty() && QFileInfo(startFile).isFile())
    openFile(startFile);
  else
    doc_.newPage();
}
