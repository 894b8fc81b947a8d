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
  for (QAction *item : newPageItems) {
    connect(item, &QAction::triggered, this,
            [edits, item] { edits->newPageOfStaves(item->data().toInt()); });
  }
  connect(newPageOfAnySizeItem, &QAction::triggered, this,
          &MainWindow::newPageOfAnySize);
  connect(staffPaperItem, &QAction::triggered, this,
          &MainWindow::changeStaffPaper);
  connect(saveItem, &QAction::triggered, doc, &Document::save);
  connect(saveAsItem, &QAction::triggered, doc, &Document::saveAs);
  connect(openItem, &QAction::triggered, doc,
          [files] { files->openWithDialog(); });
  connect(openClipboardItem, &QAction::triggered, doc,
          [files] { files->openClipboardText(); });
  connect(saveBitmapItem, &QAction::triggered, doc,
          [files] { files->saveBitmap(); });
  connect(copyBitmapItem, &QAction::triggered, doc,
          [files] { files->copyBitmap(); });
  for (QAction *item : recentItems) {
    connect(item, &QAction::triggered, this,
            [files, item] { files->reopenRecent(item->data().toInt()); });
  }
  connect(exitItem, &QAction::triggered, this, &MainWindow::close);
  connect(bundledCourseItem, &QAction::triggered, doc,
          [files] { files->openBundledCourse(); });
  connect(contentsList, &QComboBox::activated, this,
          &MainWindow::goToContentsEntry);
  CourseNavigator *navigator = &document_.navigator();
  connect(previousPageAction_, &QAction::triggered, navigator,
          &CourseNavigator::goToPreviousPage);
  connect(nextPageAction_, &QAction::triggered, navigator,
          &CourseNavigator::goToNextPage);

  const std::pair<QAction *, EditMode> modeItems[] = {
      {noteModeItem, EditMode::Note},
      {letterModeItem, EditMode::Letter},
      {rectModeItem, EditMode::Rect}};
  for (const auto &[item, mode] : modeItems) {
    connect(item, &QAction::triggered, this,
            [doc, mode = mode] { doc->input().toggleMode(mode); });
  }
  connect(undoItem, &QAction::triggered, doc,
          [edits] { edits->undoLastInput(); });
  Playback *playback = &document_.playback();
  connect(playAction_, &QAction::triggered, playback, &Playback::play);
  connect(stopAction_, &QAction::triggered, playback, &Playback::stop);
  connect(toStartAction_, &QAction::triggered, playback, &Playback::rewind);
  connect(resetSoundItem, &QAction::triggered, playback,
          &Playback::resetSoundSource);
  connect(lineLengthItem, &QAction::triggered, &document_.session(),
          &ProgramSession::askLineLength);
  connect(shiftUpItem, &QAction::triggered, doc,
          [edits] { edits->shiftPageUp(); });
  connect(shiftDownItem, &QAction::triggered, doc,
          [edits] { edits->shiftPageDown(); });
  connect(stepEraseItem, &QAction::triggered, this, &MainWindow::openStepErase);
  connect(clefsAndBarlinesItem, &QAction::triggered, this,
          &MainWindow::openClefsAndBarlines);
  connect(aboutItem, &QAction::triggered, this, &MainWindow::showAbout);
  connect(helpContentsItem, &QAction::triggered, this,
          &MainWindow::showHelpContents);
  connect(textWindowItem, &QAction::triggered, this,
          &MainWindow::toggleTextWindow);
  PageInput *input = &document_.input();
  connect(canvasView, &CanvasView::mouseDown, input, &PageInput::mousePressed);
  connect(canvasView, &CanvasView::mouseMove, input, &PageInput::mouseMoved);
  connect(canvasView, &CanvasView::mouseUp, input, &PageInput::mouseReleased);
}

void MainWindow::newPageOfAnySize() {
  if (!document_.askSaveQuestion()) return;
  if (showPaperDialog()) document_.newPage();
}

void MainWindow::changeStaffPaper() { showPaperDialog(); }

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

void MainWindow::goToContentsEntry(int index) {
  document_.navigator().selectEntry(index);
  // The list lets go of the keyboard, so the keys page through the course.
  if (contentsList->hasFocus()) toolBarPanel->setFocus();
}

void MainWindow::openStepErase() {
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

void MainWindow::openClefsAndBarlines() { runDialog_(clefWindow()); }

void MainWindow::showAbout() {
  AboutBox box(this, document_);
  runDialog_(box);
}

void MainWindow::showHelpContents() {
  HelpWindow::showFor(
      *this, document_.session().programFolder() + QStringLiteral("VRN32.HLP"));
}
