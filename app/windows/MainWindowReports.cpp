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
#include "edit/windows/RectEditWindow.h"
#include "score/windows/CanvasView.h"
#include "score/windows/LetterWindow.h"
#include "score/windows/NotePalette.h"

void MainWindow::connectReports() {
  Document *doc = &document_;
  connect(doc, &Document::captionChanged, this, &MainWindow::setCaption);
  connect(doc, &Document::protectIndicatorChanged, this,
          &MainWindow::setProtectIndicator);
  connect(&document_.playback(), &Playback::buttonsChanged, this,
          &MainWindow::showPlayButtons);
  connect(&document_.playback(), &Playback::soundOutputChanged, this,
          &MainWindow::showSoundOutput);
  const CourseNavigator *navigator = &document_.navigator();
  connect(navigator, &CourseNavigator::activeChanged, this,
          &MainWindow::UpdateContentsControls);
  connect(navigator, &CourseNavigator::listChanged, this,
          &MainWindow::showContentsList);
  connect(navigator, &CourseNavigator::selectionChanged, ComboBox1,
          &QComboBox::setCurrentIndex);
  connect(&document_.session(), &ProgramSession::recentFilesChanged, this,
          &MainWindow::updateRecentCaptions);
  connect(doc, &Document::scrollReset, this, &MainWindow::resetScroll);
  connect(&document_.session(), &ProgramSession::executiveChanged, this,
          &MainWindow::ApplyExecutiveOption);
  connect(&document_.input(), &PageInput::modeChanged, this,
          &MainWindow::showMode);
  connect(&document_.input(), &PageInput::cursorChanged, this,
          &MainWindow::showCanvasCursor);
  connect(doc, &Document::canvasChanged, Image1, &CanvasView::canvasChanged);
}

void MainWindow::setCaption(const QString &caption) { setWindowTitle(caption); }

void MainWindow::setProtectIndicator(bool red) {
  QPalette palette = Panel1->palette();
  palette.setColor(QPalette::Window,
                   red ? QColor(255, 0, 0)
                       : QApplication::palette().color(QPalette::Button));
  Panel1->setPalette(palette);
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
  GMON1->setEnabled(document_.playback().soundPresent());
  GMON1->setToolTip(why);
}

void MainWindow::UpdateContentsControls(bool contentsMode) {
  ComboBox1->setVisible(contentsMode);
  SpeedButton4->setVisible(contentsMode);
  SpeedButton5->setVisible(contentsMode);
  SaveAs1->setEnabled(!contentsMode);
}

void MainWindow::showContentsList(const QStringList &entries) {
  ComboBox1->clear();
  ComboBox1->addItems(entries);
}

void MainWindow::updateRecentCaptions() {
  for (int n = 1; n <= RecentFiles::Count; ++n) {
    // "&" in a file name is shown as it is, not as a mnemonic.
    QString caption = document_.session().recent().caption(n);
    ReOpen[n - 1]->setText(
        caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
  }
}

void MainWindow::resetScroll() {
  ScrollBox1->verticalScrollBar()->setValue(0);
  ScrollBox1->horizontalScrollBar()->setValue(0);
}

void MainWindow::ApplyExecutiveOption(bool executive) {
  for (QToolButton *b : {SpeedButton1, SpeedButton2, SpeedButton8})
    b->setVisible(executive);
  for (QAction *a :
       {OpenClip1, N2, N7, Save1, SaveAs1, SaveBmp1, mojisu1, N6,
        Edit1->menuAction(), Window1->menuAction(), New1->menuAction()})
    a->setVisible(executive);
  placeToolBar(executive);
}

void MainWindow::showMode(EditMode mode) {
  Palette1->setChecked(mode == EditMode::Note);
  Letter1->setChecked(mode == EditMode::Letter);
  Rect1->setChecked(mode == EditMode::Rect);
  // The page commands of the Edit menu would bypass the selection.
  Edit1->menuAction()->setEnabled(mode != EditMode::Rect);
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
      Image1CursorId = cursorTable.registerGlyphCursor(cursor.glyph);
      Image1->setCursor(cursorTable.cursor(Image1CursorId));
      return;
    case CanvasCursor::Shape::Cross:
      Image1->setCursor(Qt::CrossCursor);
      break;
    case CanvasCursor::Shape::UpArrow:
      Image1->setCursor(Qt::UpArrowCursor);
      break;
    case CanvasCursor::Shape::Arrow:
      Image1->setCursor(Qt::ArrowCursor);
      break;
  }
  Image1CursorId = 0;
}
