#include "score/windows/ModeWindow.h"

#include <QHideEvent>
#include <QShowEvent>

#include "score/windows/ToolWindows.h"

ModeWindow::ModeWindow(QWidget &main)
    : QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint), main_(main) {}

void ModeWindow::placeBesideOnce() {
  if (placed_) return;
  placed_ = true;
  tool_windows::placeBeside(*this, main_);
}

void ModeWindow::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void ModeWindow::hideEvent(QHideEvent *event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) FormHide();
}
