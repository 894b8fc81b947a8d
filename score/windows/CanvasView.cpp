#include "score/windows/CanvasView.h"

#include <QMouseEvent>
#include <QPainter>

#include "score/render/Canvas.h"

CanvasView::CanvasView(const Canvas &canvas, QWidget *parent)
    : QWidget(parent), canvas_(canvas) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  canvasChanged();
}

void CanvasView::canvasChanged() {
  if (size() != canvas_.image().size()) setFixedSize(canvas_.image().size());
  update();
}

void CanvasView::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), canvas_.image(), event->rect());
}

void CanvasView::mousePressEvent(QMouseEvent *event) {
  emit mouseDown(event->button(), event->modifiers(),
                 event->position().toPoint());
}

void CanvasView::mouseMoveEvent(QMouseEvent *event) {
  emit mouseMove(event->buttons(), event->position().toPoint());
}

void CanvasView::mouseReleaseEvent(QMouseEvent *event) {
  emit mouseUp(event->button(), event->position().toPoint());
}
