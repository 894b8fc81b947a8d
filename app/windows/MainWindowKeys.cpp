// The main window's keys: the function keys of the main window and the text
// window are read here before the control with the focus gets them.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"

namespace {

constexpr int ScrollStep = 8;

void scrollBy(QScrollBar *bar, int step) {
  bar->setValue(bar->value() + step);  // the bar keeps it in its range
}

}  // namespace

bool MainWindow::eventFilter(QObject *receiver, QEvent *event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
    return false;
  auto *widget = qobject_cast<QWidget *>(receiver);
  if (!widget) return false;
  // A key the focused control ignores goes on to its parents: it is read
  // once, where it first arrives. The focus alone cannot tell: a box the
  // key's command opened has moved it by the time the key goes on.
  if (event->type() == QEvent::KeyPress && event == actedKey_ && actedAt_ &&
      widget != actedAt_ && widget->isAncestorOf(actedAt_))
    return false;
  const QWidget *focus = QApplication::focusWidget();
  if (focus ? widget != focus : !widget->isWindow()) return false;
  QWidget *window = widget->window();
  if (window != this && window != textWindow_) return false;
  const auto *key = static_cast<QKeyEvent *>(event);
  if (event->type() == QEvent::KeyRelease) {
    actedKey_ = nullptr;  // the next press is another, wherever it lives
    if (key->key() == Qt::Key_F1 && !key->isAutoRepeat())
      window->setWindowTitle(keyHelpCaption_.restore(window->windowTitle()));
    return false;
  }
  actedKey_ = event;
  actedAt_ = widget;
  readWindowKey(window == this ? KeyWindow::Main : KeyWindow::Text, *key);
  return false;
}

void MainWindow::readWindowKey(KeyWindow window, const QKeyEvent &key) {
  QWidget *shown = window == KeyWindow::Main
                       ? static_cast<QWidget *>(this)
                       : static_cast<QWidget *>(textWindow_);
  switch (pressWindowKey(document_.navigator(), document_.playback(), window,
                         key.key(), key.modifiers())) {
    case WindowKeyAction::ScrollUp:
      scrollBy(canvasScroll->verticalScrollBar(), -ScrollStep);
      break;
    case WindowKeyAction::ScrollDown:
      scrollBy(canvasScroll->verticalScrollBar(), ScrollStep);
      break;
    case WindowKeyAction::ScrollRight:
      scrollBy(canvasScroll->horizontalScrollBar(), ScrollStep);
      break;
    case WindowKeyAction::ScrollLeft:
      scrollBy(canvasScroll->horizontalScrollBar(), -ScrollStep);
      break;
    case WindowKeyAction::ShowKeyHelp:
      shown->setWindowTitle(keyHelpCaption_.show(shown->windowTitle()));
      break;
    case WindowKeyAction::ShowTextWindow:
      if (textWindow_) textWindow_->show();
      break;
    case WindowKeyAction::HideTextWindow:
      if (textWindow_) textWindow_->hide();
      break;
    case WindowKeyAction::None:
      break;
  }
}

void MainWindow::toggleTextWindow() {
  if (textWindow_) textWindow_->setVisible(!textWindow_->isVisible());
}
