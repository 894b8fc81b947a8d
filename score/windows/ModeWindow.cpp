#include "score/windows/ModeWindow.h"

#include <QHideEvent>
#include <QShowEvent>

#include "score/windows/ToolWindows.h"

ModeWindow::ModeWindow(QWidget &main)
    : QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint), main_(main) {}

void ModeWindow::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  // Beside the main window the first time it is shown.
  if (!placed_) {
    placed_ = true;
    tool_windows::placeBeside(*this, main_);
  }
  emit modeShown();
}

void ModeWindow::hideEvent(QHideEvent *event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) emit modeHidden();
}
