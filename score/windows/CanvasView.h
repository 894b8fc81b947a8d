#pragma once

#include <QImage>
#include <QWidget>

class Canvas;

// Shows the canvas bitmap at a zoom and reports the mouse in canvas
// pixels: the page pixel under the pointer, whatever the zoom and the
// screen's pixel density.
class CanvasView : public QWidget {
  Q_OBJECT
 public:
  CanvasView(const Canvas &canvas, QWidget *parent = nullptr);

  // Takes the canvas's current size and repaints.
  void canvasChanged();

  // Widget pixels per page pixel.
  double zoom() const { return zoom_; }
  void setZoom(double zoom);
  // The page pixel under a point of the widget.
  QPoint pagePoint(QPointF widgetPoint) const;

 signals:
  void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                 QPoint position);
  void mouseMove(Qt::MouseButtons buttons, QPoint position);
  void mouseUp(Qt::MouseButton button, QPoint position);

 protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

 private:
  void paintScaled(QPainter &painter, const QRect &exposed, double dpr);
  QImage tileFor(QSize size);

  const Canvas &canvas_;
  double zoom_ = 1;
  QImage tileStore_;  // reused from paint to paint: large ones cost faults
};
