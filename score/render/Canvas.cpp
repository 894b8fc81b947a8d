#include "score/render/Canvas.h"

#include <QHash>
#include <QPainter>
#include <QStaticText>

#include "base/core/Cp932.h"
#include "score/core/InputMarks.h"
#include "score/core/ScorePage.h"
#include "score/core/StaffGeometry.h"
#include "score/render/BusyCursor.h"
#include "score/render/GlyphSet.h"
#include "score/render/PageFonts.h"

namespace {

// Lays out each distinct text once per replay: the labels of a page
// (note names, counts) repeat.
class TextDrawer {
 public:
  void draw(QPainter &painter, int x, int y, QByteArrayView text) {
    if (text.isEmpty()) return;
    const QByteArray key = QByteArray::fromRawData(text.data(), text.size());
    auto it = laidOut_.find(key);
    if (it == laidOut_.end()) {
      QStaticText laid(cp932::toUnicode(key));
      laid.setTextFormat(Qt::PlainText);
      laid.prepare(QTransform(), painter.font());
      it = laidOut_.insert(QByteArray(text.data(), text.size()), laid);
    }
    // A static text is placed by its top-left corner, as page texts are.
    painter.drawStaticText(QPoint(x, y), *it);
  }

 private:
  QHash<QByteArray, QStaticText> laidOut_;
};

void preparePainter(QPainter &painter) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setPen(Qt::black);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setFont(page_fonts::pageTextFont());
}

}  // namespace

Canvas::Canvas() {
  ResizeCanvas(ScorePage::DefaultStaffCount, ScorePage::DefaultStaffWidth);
}

void Canvas::RedrawPaper(int staffCount) {
  using namespace staff_geometry;
  staffCount_ = staffCount;
  record_.clear();
  // The bitmap is painted over whole, so one held nowhere else is kept: a
  // fresh one of the same size costs a page fault for every 4 KiB.
  if (!image_.isDetached() || image_.format() != QImage::Format_RGB32)
    image_ = QImage(image_.size(), QImage::Format_RGB32);
  image_.fill(Qt::white);
  const int width = image_.width();
  const int height = image_.height();
  const int lastX = lineEndX(width);  // excluded
  for (int staff = 0; staff < staffCount; ++staff) {
    for (int line = 0; line < LinesPerStaff; ++line) {
      const int y = lineY(staff, line);
      if (y < 0 || y >= height) continue;
      QRgb *row = reinterpret_cast<QRgb *>(image_.scanLine(y));
      for (int x = StaffMargin; x < lastX && x < width; ++x)
        row[x] = 0xFF000000u;
    }
  }
}

void Canvas::ResizeCanvas(int staffCount, int staffWidth) {
  // A page shifted or read again keeps its size: the bitmap it has is
  // painted over, as RedrawPaper does.
  const QSize size(staffWidth, staff_geometry::canvasHeight(staffCount));
  if (image_.size() != size) image_ = QImage(size, QImage::Format_RGB32);
  RedrawPaper(staffCount);
}

std::optional<Canvas::ReplayError> Canvas::ReplayInputs(const ScorePage &page) {
  BusyCursor busy;
  uchar *bits = image_.bits();
  const int width = image_.width();
  const int height = image_.height();
  const qsizetype bytesPerLine = image_.bytesPerLine();
  const GlyphSet &glyphs = GlyphSet::instance();
  QPainter painter(&image_);
  preparePainter(painter);
  TextDrawer texts;
  InputMarks marks(page.Inputs, width, height);
  record_.reserve(page.count());
  for (InputMark mark; marks.next(mark);) {
    if (mark.isGlyph) {
      glyphs.stamp(bits, width, height, bytesPerLine, mark.x, mark.y,
                   mark.glyph);
      record_.addGlyph(mark.x, mark.y, mark.glyph, width, height);
    } else {
      texts.draw(painter, mark.x, mark.y, mark.text);
      record_.addText(mark.x, mark.y, mark.text, width, height);
    }
  }
  return marks.stop();
}

void Canvas::drawInput(const QByteArray &content, int x, int y) {
  const std::optional<InputMark> mark = markAt(content, x, y);
  if (!mark) return;
  if (mark->isGlyph)
    drawGlyph(x, y, mark->glyph);
  else
    drawText(x, y, content);
}

void Canvas::drawGlyph(int x, int y, int index) {
  GlyphSet::instance().stamp(image_, x, y, index);
  record_.addGlyph(x, y, index, image_.width(), image_.height());
}

void Canvas::drawText(int x, int y, const QByteArray &text) {
  QPainter painter(&image_);
  preparePainter(painter);
  TextDrawer().draw(painter, x, y, text);
  record_.addText(x, y, text, image_.width(), image_.height());
}
