#pragma once

#include <QWidget>

class Canvas;

// Shows the canvas bitmap at its natural size and reports the mouse in
// canvas pixels.
class CanvasView : public QWidget {
  Q_OBJECT
 public:
  CanvasView(const Canvas &canvas, QWidget *parent = nullptr);

  // Takes the canvas's current size and repaints.
  void canvasChanged();

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
  const Canvas &canvas_;
};
