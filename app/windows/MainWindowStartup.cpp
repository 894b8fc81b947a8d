// The main window's start-up and shut-down: the window layout, closing and
// dropped files.
#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

#include "app/windows/FirstPaint.h"
#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"

namespace {

constexpr int HeldTextMilliseconds = 2000;

// Where the settings file keeps them: the frame's corner, the inside's size.
void setGeometryOf(QWidget &window, const QRect &bounds) {
  window.move(bounds.topLeft());
  window.resize(bounds.size());
}

// The smallest the window can be made: its layout's least size, or the
// minimum it was given.
QSize leastSizeOf(const QWidget &window) {
  return window.minimumSizeHint().expandedTo(window.minimumSize());
}

QRect boundsOf(const QWidget &window) {
  return QRect(window.pos(), window.size());
}

}  // namespace

void MainWindow::FormShow() {
  const QSize screen = screenSize_();
  // Fitted before it is shown: a stored size is never laid out first.
  if (textWindow_) {
    storedLayout_.text = boundsOf(*textWindow_);
    setGeometryOf(*textWindow_,
                  window_layout::fitOnScreen(storedLayout_.text, screen,
                                             leastSizeOf(*textWindow_)));
    placedLayout_.text = boundsOf(*textWindow_);
    // The text window and its page text follow the first paint; a window
    // started minimised is not painted, and gets them a moment later all
    // the same. Its button is on from the first paint.
    textWindowItem->setChecked(true);
    textWindow_->showLater();
    afterFirstPaint(*this, [text = QPointer<TextWindow>(textWindow_)] {
      // Behind what else waits for the first paint.
      QTimer::singleShot(0, text, [text] { text->finishStart(); });
    });
    QTimer::singleShot(HeldTextMilliseconds, textWindow_,
                       &TextWindow::finishStart);
  }
  const WindowLayout layout = document_.session().read();
  storedLayout_.main = layout.main;
  setGeometryOf(*this, window_layout::fitOnScreen(layout.main, screen,
                                                  leastSizeOf(*this)));
  placedLayout_.main = boundsOf(*this);
  if (layout.maximized)
    setWindowState(windowState() | Qt::WindowMaximized);
  else
    setWindowState(windowState() & ~Qt::WindowMaximized);
  document_.files().openStartFile(arguments_);
}

void MainWindow::focusToolBar() { toolBarPanel->setFocus(); }

WindowLayout MainWindow::currentLayout() const {
  // A window still where the start put it keeps the place it was stored
  // with: fitted onto a smaller screen, or onto one seen at a larger scale
  // (where the same screen is fewer device-independent pixels), it goes
  // back to that place when the screen has room again.
  const auto kept = [](const QRect &now, const QRect &placed,
                       const QRect &stored) {
    return now == placed ? stored : now;
  };
  WindowLayout layout;
  layout.maximized = isMaximized();
  layout.main = kept(boundsOf(*this), placedLayout_.main, storedLayout_.main);
  if (textWindow_)
    layout.text =
        kept(boundsOf(*textWindow_), placedLayout_.text, storedLayout_.text);
  return layout;
}

bool MainWindow::writeSettings() {
  return document_.session().write(currentLayout(),
                                   document_.navigator().course());
}

void MainWindow::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void MainWindow::closeEvent(QCloseEvent *event) {
  if (!document_.askSaveQuestion()) {
    event->ignore();
    return;
  }
  document_.session().rememberCurrentFolder();
  // Settings that cannot be written have been reported; they are no reason
  // to keep the user from leaving (the program ends with status 1).
  writeSettings();
  event->accept();
  if (textWindow_) textWindow_->hide();
}

void MainWindow::changeEvent(QEvent *event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow())
    focusToolBar();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event) {
  if (DropFiles(event->mimeData()->urls())) event->acceptProposedAction();
}

bool MainWindow::DropFiles(const QList<QUrl> &urls) {
  // Only the first dropped file is opened.
  for (const QUrl &url : urls) {
    if (!url.isLocalFile()) continue;
    raise();
    activateWindow();
    // Opened once the drop has returned, so that its questions do not keep
    // the program the file came from waiting.
    QTimer::singleShot(0, this, [this, path = url.toLocalFile()] {
      document_.files().openFile(path);
    });
    return true;
  }
  return false;
}
