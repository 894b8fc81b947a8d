#include "score/windows/CanvasView.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "score/render/Canvas.h"
#include "score/render/ZoomedCanvas.h"

CanvasView::CanvasView(const Canvas &canvas, QWidget *parent)
    : QWidget(parent), canvas_(canvas) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  canvasChanged();
}

void CanvasView::canvasChanged() {
  const QSize page = canvas_.image().size();
  const PixelScale scale(zoom_);
  const QSize shown(int(scale.edge(page.width())),
                    int(scale.edge(page.height())));
  if (size() != shown) setFixedSize(shown);
  update();
}

void CanvasView::setZoom(double zoom) {
  if (zoom == zoom_) return;
  zoom_ = zoom;
  canvasChanged();
}

QPoint CanvasView::pagePoint(QPointF widgetPoint) const {
  const PixelScale scale(zoom_);
  return QPoint(scale.pixelAt(widgetPoint.x()), scale.pixelAt(widgetPoint.y()));
}

void CanvasView::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  const QRect exposed = event->rect();
  const double dpr = devicePixelRatioF();
  const double scale = zoom_ * dpr;
  if (zoom_ == 1 && dpr == 1) {
    // The bitmap as it is: nothing between it and the first paint.
    painter.drawImage(exposed, canvas_.image(), exposed);
  } else if (scale <= 1) {
    // Smaller than its pixels, the page is an overview: smoothed, so that
    // thin lines stay in sight (at one device pixel a page pixel, as 50 %
    // at twice the density, the smoothing changes nothing).
    painter.fillRect(exposed, palette().dark());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF page = QSizeF(canvas_.image().size()) * zoom_;
    painter.drawImage(QRectF(QPointF(0, 0), page), canvas_.image());
  } else {
    paintScaled(painter, exposed, dpr);
  }
}

// Draws the exposed part at the device's resolution, and that part alone:
// at 800 % the whole page would be some hundred million pixels.
void CanvasView::paintScaled(QPainter &painter, const QRect &exposed,
                             double dpr) {
  const PixelScale scale(zoom_ * dpr);
  const QSize page = canvas_.image().size();
  const QRect paper(0, 0, int(scale.edge(page.width())),
                    int(scale.edge(page.height())));
  const QRect device =
      QRect(QPoint(int(std::floor(exposed.left() * dpr)),
                   int(std::floor(exposed.top() * dpr))),
            QPoint(int(std::ceil((exposed.right() + 1) * dpr)) - 1,
                   int(std::ceil((exposed.bottom() + 1) * dpr)) - 1))
          .intersected(paper);
  if (!device.contains(QRect(exposed.topLeft() * dpr, exposed.size() * dpr)))
    painter.fillRect(exposed, palette().dark());
  if (device.isEmpty()) return;
  QImage tile = tileFor(device.size());
  zoomed_canvas::draw(canvas_, scale, tile, device.topLeft());
  tile.setDevicePixelRatio(dpr);
  painter.drawImage(QPointF(device.left() / dpr, device.top() / dpr), tile);
}

QImage CanvasView::tileFor(QSize size) {
  if (tileStore_.width() < size.width() || tileStore_.height() < size.height())
    tileStore_ =
        QImage(tileStore_.size().expandedTo(size), QImage::Format_RGB32);
  return QImage(tileStore_.bits(), size.width(), size.height(),
                tileStore_.bytesPerLine(), QImage::Format_RGB32);
}

void CanvasView::mousePressEvent(QMouseEvent *event) {
  emit mouseDown(event->button(), event->modifiers(),
                 pagePoint(event->position()));
}

void CanvasView::mouseMoveEvent(QMouseEvent *event) {
  emit mouseMove(event->buttons(), pagePoint(event->position()));
}

void CanvasView::mouseReleaseEvent(QMouseEvent *event) {
  emit mouseUp(event->button(), pagePoint(event->position()));
}
