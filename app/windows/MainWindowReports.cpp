// The main window's face of the document: what the document reports is
// shown in the caption, the tool bar, the menus and the canvas.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "app/windows/MainWindow.h"
#include "app/windows/ZoomControl.h"
#include "edit/windows/RectEditWindow.h"
#include "score/windows/CanvasView.h"
#include "score/windows/LetterWindow.h"
#include "score/windows/NotePalette.h"

void MainWindow::connectReports() {
  Document *doc = &document_;
  connect(&document_.playback(), &Playback::buttonsChanged, this,
          &MainWindow::showPlayButtons);
  connect(&document_.playback(), &Playback::soundOutputChanged, this,
          &MainWindow::showSoundOutput);
  const CourseNavigator *navigator = &document_.navigator();
  connect(navigator, &CourseNavigator::activeChanged, this,
          &MainWindow::showContentsMode);
  connect(navigator, &CourseNavigator::listChanged, this,
          &MainWindow::showContentsList);
  connect(navigator, &CourseNavigator::selectionChanged, contentsList,
          &QComboBox::setCurrentIndex);
  connect(&document_.session(), &ProgramSession::recentFilesChanged, this,
          &MainWindow::updateRecentCaptions);
  connect(doc, &Document::scrollReset, this, &MainWindow::resetScroll);
  connect(&document_.session(), &ProgramSession::executiveChanged, this,
          &MainWindow::applyExecutiveOption);
  connect(&document_.input(), &PageInput::modeChanged, this,
          &MainWindow::showMode);
  connect(&document_.input(), &PageInput::cursorChanged, this,
          &MainWindow::showCanvasCursor);
  connect(doc, &Document::canvasChanged, canvasView,
          &CanvasView::canvasChanged);
  connect(zoom_, &ZoomControl::zoomChanged, this,
          &MainWindow::showGlyphCursorZoomed);
}

void MainWindow::WindowView::showCaption(const QString &caption) {
  window_.setCaption(caption);
}

void MainWindow::WindowView::showProtectIndicator(bool red) {
  window_.setProtectIndicator(red);
}

void MainWindow::setCaption(const QString &caption) { setWindowTitle(caption); }

void MainWindow::setProtectIndicator(bool red) {
  QPalette palette = toolBarPanel->palette();
  palette.setColor(QPalette::Window,
                   red ? QColor(255, 0, 0)
                       : QApplication::palette().color(QPalette::Button));
  toolBarPanel->setPalette(palette);
}

void MainWindow::showPlayButtons(PlayButtons buttons) {
  playAction_->setEnabled(buttons.play);
  stopAction_->setEnabled(buttons.stop);
  toStartAction_->setEnabled(buttons.toStart);
}

// Grey for want of sound, the play buttons and the reset say why where the
// mouse rests.
void MainWindow::showSoundOutput() {
  const QString why = document_.playback().silenceReason();
  const auto hint = [&](const char *name) {
    const QString text = QString::fromUtf8(name);
    return why.isEmpty() ? text : text + '\n' + why;
  };
  playAction_->setToolTip(hint("再生"));
  stopAction_->setToolTip(hint("停止"));
  toStartAction_->setToolTip(hint("曲頭"));
  resetSoundItem->setEnabled(document_.playback().soundPresent());
  resetSoundItem->setToolTip(why);
}

void MainWindow::showContentsMode(bool contentsMode) {
  contentsList->setVisible(contentsMode);
  previousPageButton->setVisible(contentsMode);
  nextPageButton->setVisible(contentsMode);
  saveAsItem->setEnabled(!contentsMode);
}

void MainWindow::showContentsList(const QStringList &entries) {
  contentsList->clear();
  contentsList->addItems(entries);
}

void MainWindow::updateRecentCaptions() {
  for (int n = 1; n <= RecentFiles::Count; ++n) {
    // "&" in a file name is shown as it is, not as a mnemonic.
    QString caption = document_.session().recent().caption(n);
    recentItems[n - 1]->setText(
        caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
  }
}

void MainWindow::resetScroll() {
  canvasScroll->verticalScrollBar()->setValue(0);
  canvasScroll->horizontalScrollBar()->setValue(0);
}

void MainWindow::applyExecutiveOption(bool executive) {
  for (QToolButton *b : {noteModeButton, letterModeButton, rectModeButton})
    b->setVisible(executive);
  for (QAction *a : {openClipboardItem, saveSeparator, openSeparator, saveItem,
                     saveAsItem, saveBitmapItem, lineLengthItem,
                     lineLengthSeparator, editMenu->menuAction(),
                     windowMenu->menuAction(), newMenu->menuAction()})
    a->setVisible(executive);
  placeToolBar(executive);
}

void MainWindow::showMode(EditMode mode) {
  noteModeItem->setChecked(mode == EditMode::Note);
  letterModeItem->setChecked(mode == EditMode::Letter);
  rectModeItem->setChecked(mode == EditMode::Rect);
  // The page commands of the Edit menu would bypass the selection.
  editMenu->menuAction()->setEnabled(mode != EditMode::Rect);
  // Hide before show, so that no two mode windows are ever up together.
  for (const auto &[window, windowMode] : builtModeWindows())
    if (windowMode != mode) window->hide();
  switch (mode) {
    case EditMode::Note:
      notePalette().show();
      break;
    case EditMode::Letter:
      letterWindow().show();
      break;
    case EditMode::Rect:
      rectWindow().show();
      break;
    case EditMode::None:
      break;
  }
}

void MainWindow::showCanvasCursor(CanvasCursor cursor) {
  switch (cursor.shape) {
    case CanvasCursor::Shape::Glyph:
      shownCursorId_ = cursorTable.registerGlyphCursor(cursor.glyph);
      canvasView->setCursor(
          zoomedCursor(cursorTable.cursor(shownCursorId_), canvasView->zoom()));
      return;
    case CanvasCursor::Shape::Cross:
      canvasView->setCursor(Qt::CrossCursor);
      break;
    case CanvasCursor::Shape::UpArrow:
      canvasView->setCursor(Qt::UpArrowCursor);
      break;
    case CanvasCursor::Shape::Arrow:
      canvasView->setCursor(Qt::ArrowCursor);
      break;
  }
  shownCursorId_ = 0;
}

// The glyph cursor shows the stamp a click leaves, at the canvas's zoom;
// the toolkit's own cursors keep their size.
void MainWindow::showGlyphCursorZoomed() {
  if (shownCursorId_ == 0) return;
  canvasView->setCursor(
      zoomedCursor(cursorTable.cursor(shownCursorId_), canvasView->zoom()));
}
