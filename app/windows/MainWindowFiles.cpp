// The main window's file commands: reading and writing pages, opening,
// saving, the recent files, the clipboard and bitmap export.
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QImageWriter>
#include <QScrollArea>
#include <QScrollBar>

#include "app/core/Messages.h"
#include "app/core/PagePlayer.h"
#include "app/windows/MainWindow.h"
#include "files/core/Cp932.h"
#include "files/core/FileNames.h"
#include "files/core/PageFile.h"
#include "files/core/PageFormat.h"
#include "files/core/PathLookup.h"
#include "score/render/BusyCursor.h"

void TForm1::LoadPage(QIODevice *source) {
  DisableSelectionButtons();
  page_file::LoadResult result;
  {
    BusyCursor wait;
    page.InternalName.clear();
    ClearInputs();
    result = source ? page_file::readFrom(page, *source, messages_)
                    : page_file::readInto(page, page.PagePath, messages_);
  }
  if (result.status != page_file::LoadResult::Status::Loaded) {
    // Whatever was read is dropped: an empty page that is not tied to the
    // file, so that a save cannot overwrite the file with a part of it.
    NewPage();
    return;
  }
  BusyCursor wait;
  if (editor.AdministratorMode) setProtectIndicator(page.ProtectFlag < 0);
  ResizeCanvas();
  ReplayInputs();
  setPageText(result.pageText);
  page.Modified = false;

  const QString midi =
      source ? QString() : findSibling(page.PagePath, QStringLiteral(".mid"));
  if (!midi.isEmpty()) {
    player_.setFileName(midi);
    QString error;
    if (!player_.open(&error)) messages_.generalError(error);
    EnablePlayButtons();
  } else {
    player_.close();
    DisablePlayButtons();
  }

  if (source ||
      file_names::lowerExtension(page.PagePath) != QStringLiteral(".fum")) {
    page.CaptionPath.clear();
    page.PagePath.clear();
    page.Modified = true;
  } else if (!page_format::internalNameMatches(page.InternalName,
                                               page.PagePath)) {
    if (messages_.askYesNo(page_file::nameQuestion(
            QFileInfo(page.PagePath).fileName(), page.InternalName)))
      SavePage();
  }
  ScrollBox1->verticalScrollBar()->setValue(0);
  ScrollBox1->horizontalScrollBar()->setValue(0);
}

void TForm1::SavePage() {
  if (editor.AdministratorMode) setProtectIndicator(true);
  const page_file::SaveResult result = page_file::save(
      page, pageText(), MaxChar, editor.AdministratorMode, messages_);
  if (result == page_file::SaveResult::NeedsName) SaveAs();
}

void TForm1::Save1Click() { SavePage(); }

void TForm1::SaveAs() {
  Messages::FileDialog dialog;
  dialog.filter =
      QStringLiteral("譜面ファイル(*.fum)|*.fum|すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("fum");
  dialog.confirmOverwrite = true;
  dialog.fileName = !page.PagePath.isEmpty()
                        ? page.PagePath
                        : cp932::toUnicode(page.InternalName);
  const QString chosen = messages_.saveFileName(dialog);
  if (chosen.isEmpty()) return;
  page.PagePath = chosen;
  if (!ContentsMode) {
    page.CaptionPath = chosen;
    setCaption(QFileInfo(chosen).fileName());
  }
  SavePage();
  AddRecentFile(page.CaptionPath);
}

void TForm1::OpenFile(const QString &path) {
  if (page.Modified) {
    switch (messages_.askSave()) {
      case Messages::Answer::Cancel:
        return;
      case Messages::Answer::Yes:
        SavePage();
        break;
      default:
        page.Modified = false;
        break;
    }
  }
  const QString extension = file_names::lowerExtension(path);
  if (extension == QStringLiteral(".vrn")) {
    OpenContents(path);
    return;
  }
  if (extension != QStringLiteral(".fum") &&
      !messages_.askYesNo(QStringLiteral(
          "譜面ファイルではないファイルを開こうとしています。\r\n"
          "もし譜面データが含まれていれば、抽出して開きます。\r\n"
          "続けますか？")))
    return;
  course.ContentsNote.clear();
  page.CaptionPath = path;
  page.PagePath = path;
  LoadPage();
  ContentsMode = false;
  UpdateContentsControls();
  if (page.Modified)
    setCaption(QStringLiteral("(テキスト・ファイルからの抽出)"));
  if (extension == QStringLiteral(".fum")) AddRecentFile(path);
}

void TForm1::AddRecentFile(const QString &path) {
  Recent.add(path);
  updateRecentCaptions();
}

void TForm1::updateRecentCaptions() {
  for (int n = 1; n <= RecentFiles::Count; ++n) {
    // "&" in a file name is shown as it is, not as a mnemonic.
    QString caption = Recent.caption(n);
    ReOpen[n - 1]->setText(
        caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
  }
}

void TForm1::Open1Click() {
  Messages::FileDialog dialog;
  dialog.filter = QStringLiteral(
      "目次ファイル(*.vrn),譜面ファイル(*.fum)|*.vrn;*.fum|"
      "すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("fum");
  dialog.mustExist = true;
  const QString chosen = messages_.openFileName(dialog);
  if (chosen.isEmpty()) return;
  QApplication::processEvents();
  OpenFile(chosen);
}

void TForm1::ReOpen1Click(int tag) {
  const QString entry = Recent.entry(tag);
  if (entry.isEmpty()) return;
  if (QFileInfo(entry).isFile()) {
    OpenFile(entry);
    return;
  }
  messages_.error(QStringLiteral("ファイルが見つかりません。"));
  Recent.setEntry(tag, QString());
  AddRecentFile(QString());
}

void TForm1::OpenClip1Click() {
  if (!askSaveQuestion()) return;
  QByteArray text = cp932::fromUnicode(QApplication::clipboard()->text());
  QBuffer buffer(&text);
  buffer.open(QIODevice::ReadOnly);
  page.PagePath.clear();
  LoadPage(&buffer);
  ContentsMode = false;
  UpdateContentsControls();
  if (page.Modified) setCaption(QStringLiteral("(クリップボード・データ)"));
  course.ContentsNote.clear();
}

void TForm1::SaveBmp1Click() {
  Messages::FileDialog dialog;
  dialog.title = QStringLiteral("ビットマップで保存");
  dialog.filter =
      QStringLiteral("ビットマップ(*.bmp)|*.bmp|すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("bmp");
  dialog.confirmOverwrite = true;
  dialog.fileName = file_names::bitmapPreset(page.PagePath, page.InternalName);
  const QString chosen = messages_.saveFileName(dialog);
  if (chosen.isEmpty()) return;
  QImageWriter writer(chosen, "bmp");
  if (!writer.write(canvas.image()))
    messages_.generalError(writer.errorString());
}

void TForm1::CopyAsBmp1Click() {
  QApplication::clipboard()->setImage(canvas.image().copy());
}

bool TForm1::FormCloseQuery() { return askSaveQuestion(); }
