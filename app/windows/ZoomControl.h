#pragma once

#include <QObject>
#include <QPointF>

class QMenu;
class QScrollArea;
class QWidget;
class CanvasView;

// The canvas's zoom: the View menu's items with their keys (Ctrl++,
// Ctrl+-, Ctrl+0) and Ctrl+wheel over the canvas. Each keeps a point of the
// page where it was on the screen: the one under the pointer for the wheel,
// the middle of the view for the keys. The zoom holds for the whole run,
// from page to page.
class ZoomControl : public QObject {
  Q_OBJECT
 public:
  ZoomControl(QScrollArea &scroll, CanvasView &view, QWidget &window);

  // Adds the items to the menu; their keys work on the window even while
  // the menu is hidden (for a reader).
  void addMenuItems(QMenu &menu);
  int percent() const { return percent_; }
  // Zooms to `percent`, brought into range, keeping the page point at
  // `anchor` (in the scroll area's viewport) in its place.
  void zoomTo(int percent, QPointF anchor);
  void zoomTo(int percent);

 signals:
  void zoomChanged(double zoom);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  QScrollArea &scroll_;
  CanvasView &view_;
  QWidget &window_;
  int percent_ = 100;
  int wheelAngle_ = 0;  // a fine wheel's turn not yet a whole step
};
