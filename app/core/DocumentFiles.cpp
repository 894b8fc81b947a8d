// The document's file commands: reading and writing pages, opening,
// saving, the recent files, the clipboard and the bitmap.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/core/Document.h"
#include "app/core/DocumentView.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "files/core/FileNames.h"
#include "files/core/PageFile.h"
#include "files/core/PageFormat.h"
#include "files/core/PathLookup.h"
#include "files/core/RegularFile.h"
#include "score/core/TextEntry.h"

namespace {

// The hourglass for as long as it lives.
class Busy {
 public:
  explicit Busy(DocumentView &view) : view_(view) { view_.setBusy(true); }
  ~Busy() { view_.setBusy(false); }
  Busy(const Busy &) = delete;
  Busy &operator=(const Busy &) = delete;

 private:
  DocumentView &view_;
};

const QString Fum = QStringLiteral(".fum");

// Save As starts at the page's own file, or in the current folder for a
// page without one, unless the user may not write that folder (the
// program's installed data folder): then in the user's documents folder.
void presetSaveAs(Messages::FileDialog &dialog, const QString &pagePath,
                  const QString &name, const QString &currentFolder) {
  dialog.fileName = pagePath.isEmpty() ? name : pagePath;
  dialog.folder = currentFolder;
  const QFileInfo folder(
      pagePath.isEmpty() ? currentFolder : QFileInfo(pagePath).absolutePath());
  if (folder.isDir() && folder.isWritable()) return;
  const QString documents =
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  dialog.folder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
  if (!pagePath.isEmpty()) dialog.fileName = QFileInfo(pagePath).fileName();
}

}  // namespace

bool Document::load(QIODevice *source) {
  regions_.disableSelectionCommands();
  page_file::LoadResult result;
  {
    Busy wait(view_);
    page_.InternalName.clear();
    clearInputs();
    result = source ? page_file::readFrom(page_, *source)
                    : page_file::readInto(page_, page_.PagePath);
  }
  messages_.report(result.reports);
  if (result.status != page_file::LoadResult::Status::Loaded) {
    // Whatever was read is dropped: an empty page that is not tied to the
    // file, so that a save cannot overwrite the file with a part of it.
    newPage();
    return false;
  }
  {
    Busy wait(view_);
    if (editor_.AdministratorMode) setProtectIndicator(page_.ProtectFlag < 0);
    resizeCanvas();
    replayInputs();
    setPageText(result.pageText);
    setModified(false);
    playback_.attachPiece(source ? QString() : page_.PagePath);
  }
  if (source || file_names::lowerExtension(page_.PagePath) != Fum) {
    page_.CaptionPath.clear();
    page_.PagePath.clear();
    setModified(true);
  } else if (!page_format::internalNameMatches(page_.InternalName,
                                               page_.PagePath)) {
    if (messages_.askYesNo(page_file::nameQuestion(
            QFileInfo(page_.PagePath).fileName(), page_.InternalName)))
      save();
  }
  emit scrollReset();
  return true;
}

bool Document::writePage(bool *needsName) {
  if (editor_.AdministratorMode) setProtectIndicator(true);
  using Status = page_file::SaveResult::Status;
  const page_file::SaveResult result = page_file::save(
      page_, page_.PageText, session_.maxChar(), editor_.AdministratorMode);
  messages_.report(result.reports);
  if (result.status == Status::Written) setModified(false);
  *needsName = result.status == Status::NeedsName;
  return result.status == Status::Written;
}

bool Document::save() {
  bool needsName = false;
  if (writePage(&needsName)) return true;
  return needsName && saveAs();
}

bool Document::saveAs() {
  Messages::FileDialog dialog;
  dialog.filter =
      QStringLiteral("譜面ファイル(*.fum)|*.fum|すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("fum");
  dialog.confirmOverwrite = true;
  presetSaveAs(dialog, page_.PagePath, cp932::toUnicode(page_.InternalName),
               session_.currentFolder());
  const QString chosen = chooseFile(dialog, true);
  if (chosen.isEmpty()) return false;
  const QString previousPath = page_.PagePath;
  page_.PagePath = chosen;
  bool needsName = false;
  if (!writePage(&needsName)) {
    // Nothing was written: the page stays tied to the file it came from.
    page_.PagePath = previousPath;
    return false;
  }
  if (!navigator_.active()) {
    page_.CaptionPath = chosen;
    setCaption(QFileInfo(chosen).fileName());
  }
  session_.addRecentFile(page_.CaptionPath);
  return true;
}

void Document::openFile(const QString &path) {
  if (!regular_file::isRegular(path)) {
    messages_.error(regular_file::notFoundMessage(path));
    return;
  }
  if (!askSaveQuestion()) return;
  const QString extension = file_names::lowerExtension(path);
  if (extension == QStringLiteral(".vrn")) {
    navigator_.open(path);
    return;
  }
  if (extension != Fum &&
      !messages_.askYesNo(QStringLiteral(
          "譜面ファイルではないファイルを開こうとしています。\r\n"
          "もし譜面データが含まれていれば、抽出して開きます。\r\n"
          "続けますか？")))
    return;
  navigator_.course_.ContentsNote.clear();
  page_.CaptionPath = path;
  page_.PagePath = path;
  load();
  setContentsMode(false);
  if (page_.Modified)
    setCaption(QStringLiteral("(テキスト・ファイルからの抽出)"));
  if (extension == Fum) session_.addRecentFile(path);
}

void Document::openWithDialog() {
  Messages::FileDialog dialog;
  dialog.filter = QStringLiteral(
      "目次ファイル(*.vrn),譜面ファイル(*.fum)|*.vrn;*.fum|"
      "すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("fum");
  dialog.mustExist = true;
  dialog.folder = session_.currentFolder();
  const QString chosen = chooseFile(dialog, false);
  if (!chosen.isEmpty()) openFile(chosen);
}

void Document::reopenRecent(int tag) {
  const QString entry = session_.recent().entry(tag);
  if (entry.isEmpty()) return;
  if (QFileInfo(entry).isFile()) {
    openFile(entry);
    return;
  }
  messages_.error(QStringLiteral("ファイルが見つかりません。"));
  session_.dropRecentFile(tag);
}

void Document::openBundledCourse() {
  if (QFileInfo(defaultContentsPath()).isFile())
    openFile(defaultContentsPath());
  else
    messages_.error(QStringLiteral("ファイルが見つかりません。"));
}

void Document::openClipboardText() {
  if (!askSaveQuestion()) return;
  const QString clipboard = view_.clipboardText();
  bool held = true;
  QByteArray text = cp932::fromUnicode(clipboard, &held);
  // The page is read all the same; what became "?" is named first.
  if (!held)
    messages_.error(
        text_entry::unheldMessage(text_entry::unheldCharacters(clipboard)));
  QBuffer buffer(&text);
  buffer.open(QIODevice::ReadOnly);
  page_.PagePath.clear();
  load(&buffer);
  setContentsMode(false);
  if (page_.Modified) setCaption(QStringLiteral("(クリップボード・データ)"));
  navigator_.course_.ContentsNote.clear();
}

void Document::saveBitmap() {
  Messages::FileDialog dialog;
  dialog.title = QStringLiteral("ビットマップで保存");
  dialog.filter =
      QStringLiteral("ビットマップ(*.bmp)|*.bmp|すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("bmp");
  dialog.confirmOverwrite = true;
  dialog.fileName =
      file_names::bitmapPreset(page_.PagePath, page_.InternalName);
  dialog.folder = session_.currentFolder();
  const QString chosen = chooseFile(dialog, true);
  if (chosen.isEmpty()) return;
  QString error;
  if (!view_.writeCanvasBitmap(chosen, &error)) messages_.generalError(error);
}

QString Document::chooseFile(const Messages::FileDialog &dialog,
                             bool forSaving) {
  const QString chosen = forSaving ? messages_.saveFileName(dialog)
                                   : messages_.openFileName(dialog);
  // The next dialog starts where the user went in this one.
  if (!chosen.isEmpty())
    session_.setCurrentFolder(QFileInfo(chosen).absolutePath());
  return chosen;
}

void Document::copyBitmap() { view_.copyCanvasToClipboard(); }
