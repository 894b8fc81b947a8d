// The main window's page operations: new pages, redraws and the staff
// paper commands.
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QToolButton>

#include "app/core/Messages.h"
#include "app/core/PagePlayer.h"
#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"
#include "files/core/Cp932.h"
#include "score/windows/CanvasView.h"
#include "score/windows/StaffPaperDialog.h"

void TForm1::NewPage() {
  ResizeCanvas();
  setPageText(QByteArray());
  ClearInputs();
  page.CaptionPath.clear();
  page.PagePath.clear();
  page.InternalName.clear();
  ContentsMode = false;
  UpdateContentsControls();
  page.Modified = false;
  DisableSelectionButtons();
  page.ProtectFlag = 1;
  setProtectIndicator(false);
  course.ContentsNote.clear();
}

void TForm1::ClearInputs() {
  page.clearLists();
  player_.close();
  player_.setFileName(QString());
  DisablePlayButtons();
}

void TForm1::RedrawPaper() {
  canvas.RedrawPaper(page.StaffCount);
  Image1->canvasChanged();
}

void TForm1::ResizeCanvas() {
  canvas.ResizeCanvas(page.StaffCount, page.StaffWidth);
  editor.clearSelection();
  Image1->canvasChanged();
}

void TForm1::ReplayInputs() {
  const auto error = canvas.ReplayInputs(page);
  Image1->canvasChanged();
  if (error) messages_.notAnInteger(cp932::toUnicode(error->text));
}

void TForm1::appendInput(const QByteArray &content, int x, int y) {
  page.append(content, x, y);
  canvas.drawInput(content, x, y);
  Image1->update();
}

bool TForm1::askSaveQuestion() {
  if (!page.Modified) return true;
  switch (messages_.askSave()) {
    case Messages::Answer::Cancel:
      return false;
    case Messages::Answer::Yes:
      Save1Click();
      return true;
    default:
      return true;
  }
}

QByteArray TForm1::pageText() const {
  return Form3 ? Form3->pageText() : page.PageText;
}

void TForm1::setPageText(const QByteArray &text) {
  page.PageText = text;
  if (Form3) Form3->setPageText(text);
}

void TForm1::UpdateContentsControls() {
  ComboBox1->setVisible(ContentsMode);
  SpeedButton4->setVisible(ContentsMode);
  SpeedButton5->setVisible(ContentsMode);
  SaveAs1->setEnabled(!ContentsMode);
  if (ContentsMode) return;
  if (!page.CaptionPath.isEmpty()) {
    setCaption(QFileInfo(page.CaptionPath).fileName());
  } else {
    setCaption(Executive ? QStringLiteral("(NewFile)")
                         : QStringLiteral("(NoFile)"));
  }
}

void TForm1::DisableSelectionButtons() {}

void TForm1::N1dan1Click(int tag) {
  if (!askSaveQuestion()) return;
  page.StaffCount = tag;
  NewPage();
  DisableSelectionButtons();
}

void TForm1::K1Click() {
  if (!askSaveQuestion()) return;
  if (showPaperDialog()) NewPage();
}

void TForm1::Gosensi1Click() { showPaperDialog(); }

bool TForm1::showPaperDialog() {
  PaperDialogConfirmed = false;
  TForm4 dialog(page.StaffCount, page.StaffWidth, this);
  connect(&dialog, &TForm4::confirmed, this, &TForm1::applyPaperDialog);
  runPaperDialog(dialog);
  return PaperDialogConfirmed;
}

void TForm1::applyPaperDialog(int staffCount, int staffWidth) {
  page.StaffCount = staffCount;
  page.StaffWidth = staffWidth;
  ResizeCanvas();
  ReplayInputs();
  page.Modified = true;
  PaperDialogConfirmed = true;
}
