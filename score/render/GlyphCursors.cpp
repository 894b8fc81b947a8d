#include "score/render/GlyphCursors.h"

#include <QBitmap>
#include <QImage>
#include <algorithm>
#include <cmath>

#include "score/render/GlyphSet.h"

namespace {

// A one-bit picture of the glyph's ink. The colour table is set by hand:
// QBitmap::fromImage takes the set bits as colour1 (ink) only while index 1
// is the dark colour, and a fresh Mono image has it the other way round.
QBitmap inkBitmap(int index) {
  QImage bits(GlyphSet::Size, GlyphSet::Size, QImage::Format_Mono);
  bits.setColorCount(2);
  bits.setColor(0, qRgb(255, 255, 255));
  bits.setColor(1, qRgb(0, 0, 0));
  const GlyphSet::Rows &rows = GlyphSet::instance().rows(index);
  for (int r = 0; r < GlyphSet::Size; ++r) {
    uchar *line = bits.scanLine(r);
    // Format_Mono is most significant bit first, as the rows are kept.
    for (int byte = 0; byte < GlyphSet::Size / 8; ++byte)
      line[byte] = uchar(rows[r] >> (24 - 8 * byte));
  }
  return QBitmap::fromImage(bits, Qt::MonoOnly | Qt::ThresholdDither);
}

}  // namespace

QCursor makeGlyphCursor(int index) {
  if (!GlyphSet::isValidIndex(index)) return QCursor(Qt::ArrowCursor);
  // Shape and mask are the same bits: shape 1 with mask 1 is black, mask 0
  // leaves the screen as it is.
  const QBitmap ink = inkBitmap(index);
  return QCursor(ink, ink, GlyphSet::Anchor, GlyphSet::Anchor);
}

QCursor zoomedCursor(const QCursor &cursor, double zoom) {
  if (cursor.shape() != Qt::BitmapCursor || zoom == 1) return cursor;
  const QBitmap shape = cursor.bitmap();
  const QBitmap mask = cursor.mask();
  const int side = std::clamp(int(std::lround(shape.width() * zoom)), 8, 256);
  const double factor = double(side) / shape.width();
  const auto scaled = [side](const QBitmap &bits) {
    return QBitmap::fromImage(
        bits.toImage().scaled(side, side, Qt::IgnoreAspectRatio,
                              Qt::FastTransformation),
        Qt::MonoOnly | Qt::ThresholdDither);
  };
  const QPoint hot = cursor.hotSpot();
  return QCursor(scaled(shape), scaled(mask), int((hot.x() + 0.5) * factor),
                 int((hot.y() + 0.5) * factor));
}

int glyphCursorResource(const QString &name) {
  for (int i = 0; i < GlyphSet::Count; ++i) {
    if (name.compare(QStringLiteral("NOTE%1").arg(i), Qt::CaseInsensitive) == 0)
      return i;
  }
  return -1;
}

int CursorTable::registerGlyphCursor(int index) {
  const int glyph = glyphCursorResource(QStringLiteral("Note%1").arg(index));
  if (glyph < 0) return 0;
  const int id = glyph + 1;
  cursors_.insert(id, makeGlyphCursor(glyph));
  ++loadCount_;
  return id;
}

QCursor CursorTable::cursor(int id) const {
  return cursors_.value(id, QCursor(Qt::ArrowCursor));
}
