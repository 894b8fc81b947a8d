#include "app/windows/ZoomControl.h"

#include <QAction>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/core/ZoomLevels.h"
#include "score/windows/CanvasView.h"
#include "score/windows/ObjectNames.h"

namespace {

// One notch of a common wheel.
constexpr int WheelStep = 120;

}  // namespace

ZoomControl::ZoomControl(QScrollArea &scroll, CanvasView &view, QWidget &window)
    : QObject(&window), scroll_(scroll), view_(view), window_(window) {
  setObjectName(QStringLiteral("Zoom"));
  // The canvas gets the wheel first; the view beside a small page gets it
  // too.
  view_.installEventFilter(this);
  scroll_.viewport()->installEventFilter(this);
}

void ZoomControl::addMenuItems(QMenu &menu) {
  menu.addSeparator();
  const auto item = [&](const char *name, const QString &text,
                        QList<QKeySequence> keys, auto zoom) {
    QAction *action = named(menu.addAction(text), name);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this,
            [this, zoom] { zoomTo(zoom(percent_)); });
    window_.addAction(action);
  };
  // "=" is the plus key without Shift on most keyboards.
  item("ZoomIn", QStringLiteral("拡大(&I)"),
       {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
       zoom_levels::larger);
  item("ZoomOut", QStringLiteral("縮小(&O)"), {QKeySequence::ZoomOut},
       zoom_levels::smaller);
  item("ZoomNatural", QStringLiteral("等倍(&Z)"),
       {QKeySequence(Qt::CTRL | Qt::Key_0)},
       [](int) { return zoom_levels::Natural; });
}

void ZoomControl::zoomTo(int percent) {
  zoomTo(percent, QRectF(scroll_.viewport()->rect()).center());
}

void ZoomControl::zoomTo(int percent, QPointF anchor) {
  percent = zoom_levels::bounded(percent);
  if (percent == percent_) return;
  QScrollBar *across = scroll_.horizontalScrollBar();
  QScrollBar *down = scroll_.verticalScrollBar();
  const double before = view_.zoom();
  const QPointF onPage = view_.mapFrom(scroll_.viewport(), anchor) / before;
  percent_ = percent;
  const double after = percent / 100.0;
  // A shown canvas takes its new size at once, and the scroll bars their
  // new range with it, before they are moved.
  view_.setZoom(after);
  across->setValue(qRound(onPage.x() * after - anchor.x()));
  down->setValue(qRound(onPage.y() * after - anchor.y()));
  emit zoomChanged(after);
}

bool ZoomControl::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() != QEvent::Wheel) return false;
  auto *wheel = static_cast<QWheelEvent *>(event);
  if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
  wheelAngle_ += wheel->angleDelta().y();
  const int steps = wheelAngle_ / WheelStep;
  wheelAngle_ -= steps * WheelStep;
  if (steps != 0) {
    QPointF at = wheel->position();
    if (watched == &view_) at = view_.mapTo(scroll_.viewport(), at);
    zoomTo(zoom_levels::stepped(percent_, steps), at);
  }
  return true;  // not a scroll
}
