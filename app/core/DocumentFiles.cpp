// The page's file: reading and writing it, and Save As.
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

bool Document::load(const QString &path) { return read(path, nullptr); }

bool Document::loadFrom(QIODevice &source) { return read(QString(), &source); }

bool Document::read(const QString &path, QIODevice *source) {
  regions_.disableSelectionCommands();
  page_file::LoadResult result;
  {
    Busy wait(view_);
    page_.PagePath = path;
    page_.InternalName.clear();
    clearInputs();
    // What could be taken back belonged to the page that goes.
    startHistory();
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
    if (editor_.AdministratorMode)
      view_.showProtectIndicator(page_.ProtectFlag < 0);
    redrawResized();
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
  if (editor_.AdministratorMode) view_.showProtectIndicator(true);
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
  const QString chosen = session_.chooseFile(dialog, true);
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
    view_.showCaption(QFileInfo(chosen).fileName());
  }
  session_.addRecentFile(page_.CaptionPath);
  return true;
}
