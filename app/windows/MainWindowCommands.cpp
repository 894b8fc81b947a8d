// The main window's commands: each control hands its work to the document.
#include <QAction>
#include <QComboBox>
#include <QToolButton>

#include "app/windows/AboutBox.h"
#include "app/windows/HelpWindow.h"
#include "app/windows/MainWindow.h"
#include "edit/windows/ClefBarlineWindow.h"
#include "edit/windows/StepEraseWindow.h"
#include "score/windows/CanvasView.h"
#include "score/windows/StaffPaperDialog.h"

void MainWindow::connectCommands() {
  Document *doc = &document_;
  FileCommands *files = &document_.files();
  PageEdits *edits = &document_.edits();
  for (QAction *item : N1dan) {
    connect(item, &QAction::triggered, this,
            [edits, item] { edits->newPageOfStaves(item->data().toInt()); });
  }
  connect(K1, &QAction::triggered, this, &MainWindow::K1Click);
  connect(Gosensi1, &QAction::triggered, this, &MainWindow::Gosensi1Click);
  connect(Save1, &QAction::triggered, doc, &Document::save);
  connect(SaveAs1, &QAction::triggered, doc, &Document::saveAs);
  connect(Open1, &QAction::triggered, doc,
          [files] { files->openWithDialog(); });
  connect(OpenClip1, &QAction::triggered, doc,
          [files] { files->openClipboardText(); });
  connect(SaveBmp1, &QAction::triggered, doc, [files] { files->saveBitmap(); });
  connect(CopyAsBmp1, &QAction::triggered, doc,
          [files] { files->copyBitmap(); });
  for (QAction *item : ReOpen) {
    connect(item, &QAction::triggered, this,
            [files, item] { files->reopenRecent(item->data().toInt()); });
  }
  connect(Exit1, &QAction::triggered, this, &MainWindow::close);
  connect(Varnel1, &QAction::triggered, doc,
          [files] { files->openBundledCourse(); });
  connect(ComboBox1, &QComboBox::activated, this, &MainWindow::ComboBox1Change);
  CourseNavigator *navigator = &document_.navigator();
  connect(previousPageAction_, &QAction::triggered, navigator,
          &CourseNavigator::goToPreviousPage);
  connect(nextPageAction_, &QAction::triggered, navigator,
          &CourseNavigator::goToNextPage);

  const std::pair<QAction *, EditMode> modeItems[] = {
      {Palette1, EditMode::Note},
      {Letter1, EditMode::Letter},
      {Rect1, EditMode::Rect}};
  for (const auto &[item, mode] : modeItems) {
    connect(item, &QAction::triggered, this,
            [doc, mode = mode] { doc->input().toggleMode(mode); });
  }
  connect(Undo1, &QAction::triggered, doc, [edits] { edits->undoLastInput(); });
  Playback *playback = &document_.playback();
  connect(playAction_, &QAction::triggered, playback, &Playback::play);
  connect(stopAction_, &QAction::triggered, playback, &Playback::stop);
  connect(toStartAction_, &QAction::triggered, playback, &Playback::rewind);
  connect(GMON1, &QAction::triggered, playback, &Playback::resetSoundSource);
  connect(mojisu1, &QAction::triggered, &document_.session(),
          &ProgramSession::askLineLength);
  connect(Up1, &QAction::triggered, doc, [edits] { edits->shiftPageUp(); });
  connect(Down1, &QAction::triggered, doc, [edits] { edits->shiftPageDown(); });
  connect(Erase1, &QAction::triggered, this, &MainWindow::Erase1Click);
  connect(AutoDraw1, &QAction::triggered, this, &MainWindow::AutoDraw1Click);
  connect(About1, &QAction::triggered, this, &MainWindow::About1Click);
  connect(Contents1, &QAction::triggered, this, &MainWindow::Contents1Click);
  connect(TextWindow1, &QAction::triggered, this,
          &MainWindow::TextWindow1Click);
  PageInput *input = &document_.input();
  connect(Image1, &CanvasView::mouseDown, input, &PageInput::mousePressed);
  connect(Image1, &CanvasView::mouseMove, input, &PageInput::mouseMoved);
  connect(Image1, &CanvasView::mouseUp, input, &PageInput::mouseReleased);
}

void MainWindow::K1Click() {
  if (!document_.askSaveQuestion()) return;
  if (showPaperDialog()) document_.newPage();
}

void MainWindow::Gosensi1Click() { showPaperDialog(); }

bool MainWindow::showPaperDialog() {
  const ScorePage &page = document_.page();
  bool confirmed = false;
  StaffPaperDialog dialog(page.StaffCount, page.StaffWidth, this);
  connect(&dialog, &StaffPaperDialog::confirmed, this,
          [this, &confirmed](int staffCount, int staffWidth) {
            document_.edits().applyPaperDialog(staffCount, staffWidth);
            confirmed = true;
          });
  runPaperDialog_(dialog);
  return confirmed;
}

void MainWindow::ComboBox1Change(int index) {
  document_.navigator().selectEntry(index);
  // The list lets go of the keyboard, so the keys page through the course.
  if (ComboBox1->hasFocus()) Panel1->setFocus();
}

void MainWindow::Erase1Click() {
  StepEraseWindow window(this);
  Document *doc = &document_;
  connect(&window, &StepEraseWindow::activated, this, [doc, &window] {
    window.showState(doc->edits().stepEraser().open());
  });
  connect(&window, &StepEraseWindow::positionChanged, this,
          [doc, &window](int position) {
            window.showState(doc->edits().stepEraser().markAt(position));
          });
  connect(&window, &StepEraseWindow::eraseClicked, this, [doc, &window] {
    window.showState(doc->edits().stepEraser().eraseMarked());
  });
  runDialog_(window);
  document_.edits().stepEraser().close();
}

void MainWindow::AutoDraw1Click() { runDialog_(clefWindow()); }

void MainWindow::About1Click() {
  AboutBox box(this, document_);
  runDialog_(box);
}

void MainWindow::Contents1Click() {
  HelpWindow::showFor(
      *this, document_.session().programFolder() + QStringLiteral("VRN32.HLP"));
}
