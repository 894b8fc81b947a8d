#include "score/render/ZoomedCanvas.h"

#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

#include "base/core/Cp932.h"
#include "score/core/StaffGeometry.h"
#include "score/render/Canvas.h"
#include "score/render/GlyphSet.h"
#include "score/render/PageFonts.h"

// Coordinates are compared with a margin far below the smallest step of any
// scale the screen uses, so that rounding in floating point never moves a
// pixel border.
constexpr double Slack = 1e-6;

qint64 PixelScale::edge(qint64 p) const {
  return qint64(std::ceil((double(p) - Slack) * scale_));
}

int PixelScale::pixelAt(double device) const {
  return int(std::floor(device / scale_ + Slack));
}

namespace zoomed_canvas {
namespace {

// Texts are one line of a small face: none is taller than this.
constexpr int TextReach = 64;

// The target as a window on the device picture of the whole page.
class Tile {
 public:
  Tile(const Canvas &canvas, PixelScale scale, QImage &target, QPoint origin)
      : canvas_(canvas),
        scale_(scale),
        target_(target),
        origin_(origin),
        bits_(target.bits()),
        stride_(target.bytesPerLine()) {
    const QSize paper = canvas.image().size();
    // The page pixels the target shows, within the paper.
    left_ = std::max(0, scale.pixelAt(origin.x()));
    top_ = std::max(0, scale.pixelAt(origin.y()));
    right_ = std::min(paper.width(),
                      scale.pixelAt(origin.x() + target.width() - 1) + 1);
    bottom_ = std::min(paper.height(),
                       scale.pixelAt(origin.y() + target.height() - 1) + 1);
  }

  bool empty() const { return left_ >= right_ || top_ >= bottom_; }
  void staffLines();
  void glyph(const DrawnMark &mark);
  void text(const DrawnMark &mark, QByteArrayView bytes);
  void xorFrame(const DrawnMark &mark);
  void xorMarker(const DrawnMark &mark);

 private:
  // The target pixels of page columns [l, r) and rows [t, b), clipped to
  // what the target shows; empty when none.
  QRect cover(qint64 l, qint64 t, qint64 r, qint64 b) const {
    l = std::max<qint64>(l, left_);
    t = std::max<qint64>(t, top_);
    r = std::min<qint64>(r, right_);
    b = std::min<qint64>(b, bottom_);
    if (l >= r || t >= b) return {};
    const qint64 x0 = std::max<qint64>(scale_.edge(l) - origin_.x(), 0);
    const qint64 y0 = std::max<qint64>(scale_.edge(t) - origin_.y(), 0);
    const qint64 x1 =
        std::min<qint64>(scale_.edge(r) - origin_.x(), target_.width());
    const qint64 y1 =
        std::min<qint64>(scale_.edge(b) - origin_.y(), target_.height());
    if (x0 >= x1 || y0 >= y1) return {};
    return QRect(int(x0), int(y0), int(x1 - x0), int(y1 - y0));
  }
  QRgb *row(int y) { return reinterpret_cast<QRgb *>(bits_ + y * stride_); }
  void fill(const QRect &r, QRgb colour) {
    for (int y = r.top(); y <= r.bottom(); ++y)
      std::fill_n(row(y) + r.left(), r.width(), colour);
  }
  void flip(const QRect &r, QRgb colour) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      QRgb *pixels = row(y) + r.left();
      for (int x = 0; x < r.width(); ++x) pixels[x] ^= colour;
    }
  }
  void flip(qint64 l, qint64 t, qint64 r, qint64 b, QRgb colour) {
    const QRect covered = cover(l, t, r, b);
    if (!covered.isEmpty()) flip(covered, colour);
  }
  QPainter &painter();

  const Canvas &canvas_;
  PixelScale scale_;
  QImage &target_;
  QPoint origin_;
  uchar *bits_;
  qsizetype stride_;
  int left_, top_, right_, bottom_;
  std::optional<QPainter> painter_;
  QHash<QByteArray, QStaticText> laidOut_;
};

void Tile::staffLines() {
  using namespace staff_geometry;
  const int end = lineEndX(canvas_.image().width());
  for (int staff = 0; staff < canvas_.staffCount(); ++staff) {
    for (int line = 0; line < LinesPerStaff; ++line) {
      const int y = lineY(staff, line);
      const QRect covered = cover(StaffMargin, y, end, y + 1);
      if (!covered.isEmpty()) fill(covered, 0xFF000000u);
    }
  }
}

void Tile::glyph(const DrawnMark &mark) {
  constexpr int Size = glyph_cell::Size;
  const int left = mark.x - glyph_cell::Anchor;
  const int top = mark.y - glyph_cell::Anchor;
  if (left >= right_ || left + Size <= left_ || top >= bottom_ ||
      top + Size <= top_)
    return;
  const GlyphSet::Rows &rows = GlyphSet::instance().rows(mark.a);
  const int firstRow = std::max(0, top_ - top);
  const int endRow = std::min(Size, bottom_ - top);
  for (int r = firstRow; r < endRow; ++r) {
    std::uint32_t mask = rows[r];
    while (mask) {
      const int first = std::countl_zero(mask);
      const int run = std::countl_one(std::uint32_t(mask << first));
      const QRect covered =
          cover(left + first, top + r, left + first + run, top + r + 1);
      if (!covered.isEmpty()) fill(covered, 0xFF000000u);
      mask = first + run >= Size ? 0 : mask & (~0u >> (first + run));
    }
  }
}

QPainter &Tile::painter() {
  if (painter_) return *painter_;
  painter_.emplace(&target_);
  QPainter &p = *painter_;
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setPen(Qt::black);
  p.setBackgroundMode(Qt::TransparentMode);
  // Smoothed at the device's resolution: the bitmap's face is unsmoothed
  // because at 12 pixels smoothing only blurs it.
  QFont face = page_fonts::pageTextFont();
  face.setStyleStrategy(QFont::PreferAntialias);
  p.setFont(face);
  p.setTransform(QTransform(scale_.factor(), 0, 0, scale_.factor(),
                            -origin_.x(), -origin_.y()));
  p.setClipRect(QRect(QPoint(0, 0), canvas_.image().size()));
  return p;
}

void Tile::text(const DrawnMark &mark, QByteArrayView bytes) {
  if (mark.x >= right_ || mark.y >= bottom_ || mark.y + TextReach <= top_)
    return;
  QPainter &p = painter();
  const QByteArray key = QByteArray::fromRawData(bytes.data(), bytes.size());
  auto it = laidOut_.find(key);
  if (it == laidOut_.end()) {
    QStaticText laid(cp932::toUnicode(key));
    laid.setTextFormat(Qt::PlainText);
    laid.prepare(QTransform::fromScale(scale_.factor(), scale_.factor()),
                 p.font());
    it = laidOut_.insert(QByteArray(bytes.data(), bytes.size()), laid);
  }
  if (qint64(mark.x) + qint64(std::ceil(it->size().width())) < left_) return;
  // Placed by its top-left corner, as on the canvas.
  p.drawStaticText(QPointF(mark.x, mark.y), *it);
}

void Tile::xorFrame(const DrawnMark &mark) {
  // The pixels Canvas::xorFrame flips: from the top-left corner to one
  // before the bottom-right, each once.
  const qint64 l = mark.x, t = mark.y, r = qint64(mark.a) - 1,
               b = qint64(mark.b) - 1;
  if (r < l || b < t) return;
  constexpr QRgb Pen = Canvas::FramePen;
  flip(l, t, r + 1, t + 1, Pen);
  if (b != t) flip(l, b, r + 1, b + 1, Pen);
  flip(l, t + 1, l + 1, b, Pen);
  if (r != l) flip(r, t + 1, r + 1, b, Pen);
}

void Tile::xorMarker(const DrawnMark &mark) {
  const qint64 x = mark.x, y = mark.y;
  constexpr QRgb Outline = Canvas::MarkerOutline;
  flip(x - 5, y - 5, x + 5, y - 4, Outline);
  flip(x - 5, y + 4, x + 5, y + 5, Outline);
  flip(x - 5, y - 4, x - 4, y + 4, Outline);
  flip(x + 4, y - 4, x + 5, y + 4, Outline);
  flip(x - 4, y - 4, x + 4, y + 4, Canvas::MarkerFill);
}

}  // namespace

void draw(const Canvas &canvas, PixelScale scale, QImage &target,
          QPoint origin) {
  Tile tile(canvas, scale, target, origin);
  if (tile.empty()) return;
  const QRect paper(0, 0, int(scale.edge(canvas.image().width())),
                    int(scale.edge(canvas.image().height())));
  const QRect covered = paper.translated(-origin).intersected(target.rect());
  for (int y = covered.top(); y <= covered.bottom(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(target.scanLine(y));
    std::fill_n(line + covered.left(), covered.width(), 0xFFFFFFFFu);
  }
  tile.staffLines();
  const CanvasRecord &record = canvas.record();
  for (const DrawnMark &mark : record.marks()) {
    switch (mark.kind) {
      case DrawnMark::Kind::Glyph:
        tile.glyph(mark);
        break;
      case DrawnMark::Kind::Text:
        tile.text(mark, record.text(mark));
        break;
      case DrawnMark::Kind::XorFrame:
        tile.xorFrame(mark);
        break;
      case DrawnMark::Kind::XorMarker:
        tile.xorMarker(mark);
        break;
    }
  }
}

}  // namespace zoomed_canvas
