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
                  const QString &name) {
  dialog.fileName = pagePath.isEmpty() ? name : pagePath;
  const QFileInfo folder(pagePath.isEmpty()
                             ? QDir::currentPath()
                             : QFileInfo(pagePath).absolutePath());
  if (folder.isDir() && folder.isWritable()) return;
  const QString documents =
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  dialog.folder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
  if (!pagePath.isEmpty()) dialog.fileName = QFileInfo(pagePath).fileName();
}

}  // namespace

void Document::LoadPage(QIODevice *source) {
  DisableSelectionButtons();
  page_file::LoadResult result;
  {
    Busy wait(view_);
    page_.InternalName.clear();
    ClearInputs();
    result = source ? page_file::readFrom(page_, *source, messages_)
                    : page_file::readInto(page_, page_.PagePath, messages_);
  }
  if (result.status != page_file::LoadResult::Status::Loaded) {
    // Whatever was read is dropped: an empty page that is not tied to the
    // file, so that a save cannot overwrite the file with a part of it.
    NewPage();
    return;
  }
  {
    Busy wait(view_);
    if (editor_.AdministratorMode) setProtectIndicator(page_.ProtectFlag < 0);
    ResizeCanvas();
    ReplayInputs();
    setPageText(result.pageText);
    setModified(false);
    attachMidiFile(source == nullptr);
  }
  if (source || file_names::lowerExtension(page_.PagePath) != Fum) {
    page_.CaptionPath.clear();
    page_.PagePath.clear();
    setModified(true);
  } else if (!page_format::internalNameMatches(page_.InternalName,
                                               page_.PagePath)) {
    if (messages_.askYesNo(page_file::nameQuestion(
            QFileInfo(page_.PagePath).fileName(), page_.InternalName)))
      SavePage();
  }
  emit scrollReset();
}

void Document::attachMidiFile(bool fromFile) {
  const QString midi = fromFile
                           ? findSibling(page_.PagePath, QStringLiteral(".mid"))
                           : QString();
  if (midi.isEmpty()) {
    MediaPlayer1.close();
    DisablePlayButtons();
    return;
  }
  MediaPlayer1.FileName = midi;
  QString error;
  // A piece the sequencer refuses leaves the buttons as they are: off.
  // Without any output the refusal is no news: nothing could sound anyway.
  if (MediaPlayer1.open(&error))
    EnablePlayButtons();
  else if (midiPresent_)
    messages_.generalError(error);
}

bool Document::writePage(bool *needsName) {
  if (editor_.AdministratorMode) setProtectIndicator(true);
  const bool wasModified = page_.Modified;
  const page_file::SaveResult result = page_file::save(
      page_, page_.PageText, maxChar_, editor_.AdministratorMode, messages_);
  // The writer settles the flag itself; the views hear of it here.
  if (page_.Modified != wasModified) emit modifiedChanged(page_.Modified);
  *needsName = result == page_file::SaveResult::NeedsName;
  return result == page_file::SaveResult::Written;
}

bool Document::SavePage() {
  bool needsName = false;
  if (writePage(&needsName)) return true;
  return needsName && SaveAs();
}

bool Document::SaveAs() {
  Messages::FileDialog dialog;
  dialog.filter =
      QStringLiteral("譜面ファイル(*.fum)|*.fum|すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("fum");
  dialog.confirmOverwrite = true;
  presetSaveAs(dialog, page_.PagePath, cp932::toUnicode(page_.InternalName));
  const QString chosen = messages_.saveFileName(dialog);
  if (chosen.isEmpty()) return false;
  const QString previousPath = page_.PagePath;
  page_.PagePath = chosen;
  bool needsName = false;
  if (!writePage(&needsName)) {
    // Nothing was written: the page stays tied to the file it came from.
    page_.PagePath = previousPath;
    return false;
  }
  if (!contentsMode_) {
    page_.CaptionPath = chosen;
    setCaption(QFileInfo(chosen).fileName());
  }
  AddRecentFile(page_.CaptionPath);
  return true;
}

void Document::OpenFile(const QString &path) {
  if (!regular_file::isRegular(path)) {
    messages_.error(regular_file::notFoundMessage(path));
    return;
  }
  if (!askSaveQuestion()) return;
  const QString extension = file_names::lowerExtension(path);
  if (extension == QStringLiteral(".vrn")) {
    OpenContents(path);
    return;
  }
  if (extension != Fum &&
      !messages_.askYesNo(QStringLiteral(
          "譜面ファイルではないファイルを開こうとしています。\r\n"
          "もし譜面データが含まれていれば、抽出して開きます。\r\n"
          "続けますか？")))
    return;
  course_.ContentsNote.clear();
  page_.CaptionPath = path;
  page_.PagePath = path;
  LoadPage();
  setContentsMode(false);
  if (page_.Modified)
    setCaption(QStringLiteral("(テキスト・ファイルからの抽出)"));
  if (extension == Fum) AddRecentFile(path);
}

void Document::AddRecentFile(const QString &path) {
  recent_.add(path);
  emit recentFilesChanged();
}

void Document::Open1Click() {
  Messages::FileDialog dialog;
  dialog.filter = QStringLiteral(
      "目次ファイル(*.vrn),譜面ファイル(*.fum)|*.vrn;*.fum|"
      "すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("fum");
  dialog.mustExist = true;
  const QString chosen = messages_.openFileName(dialog);
  if (!chosen.isEmpty()) OpenFile(chosen);
}

void Document::ReOpen1Click(int tag) {
  const QString entry = recent_.entry(tag);
  if (entry.isEmpty()) return;
  if (QFileInfo(entry).isFile()) {
    OpenFile(entry);
    return;
  }
  messages_.error(QStringLiteral("ファイルが見つかりません。"));
  recent_.setEntry(tag, QString());
  AddRecentFile(QString());
}

void Document::Varnel1Click() {
  if (QFileInfo(DefaultContentsPath()).isFile())
    OpenFile(DefaultContentsPath());
  else
    messages_.error(QStringLiteral("ファイルが見つかりません。"));
}

void Document::OpenClip1Click() {
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
  LoadPage(&buffer);
  setContentsMode(false);
  if (page_.Modified) setCaption(QStringLiteral("(クリップボード・データ)"));
  course_.ContentsNote.clear();
}

void Document::SaveBmp1Click() {
  Messages::FileDialog dialog;
  dialog.title = QStringLiteral("ビットマップで保存");
  dialog.filter =
      QStringLiteral("ビットマップ(*.bmp)|*.bmp|すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("bmp");
  dialog.confirmOverwrite = true;
  dialog.fileName =
      file_names::bitmapPreset(page_.PagePath, page_.InternalName);
  const QString chosen = messages_.saveFileName(dialog);
  if (chosen.isEmpty()) return;
  QString error;
  if (!view_.writeCanvasBitmap(chosen, &error)) messages_.generalError(error);
}

void Document::CopyAsBmp1Click() { view_.copyCanvasToClipboard(); }
