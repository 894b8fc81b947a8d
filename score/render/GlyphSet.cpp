#include "score/render/GlyphSet.h"

#include <QPainter>
#include <QString>

namespace {

GlyphSet::Rows loadRows(int index) {
  GlyphSet::Rows rows{};
  const QImage picture(QStringLiteral(":/glyphs/glyph%1.xpm")
                           .arg(index, 2, 10, QLatin1Char('0')));
  if (picture.isNull()) return rows;
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  const int h = std::min(argb.height(), GlyphSet::Size);
  const int w = std::min(argb.width(), GlyphSet::Size);
  for (int r = 0; r < h; ++r) {
    const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(r));
    std::uint32_t mask = 0;
    for (int c = 0; c < w; ++c) {
      if (qAlpha(line[c]) >= 128 && qGray(line[c]) < 128)
        mask |= 0x80000000u >> c;
    }
    rows[r] = mask;
  }
  return rows;
}

}  // namespace

GlyphSet::GlyphSet() {
  for (int i = 0; i < Count; ++i) rows_[i] = loadRows(i);
}

const GlyphSet &GlyphSet::instance() {
  static const GlyphSet set;
  return set;
}

bool GlyphSet::ink(int index, int column, int row) const {
  if (!isValidIndex(index) || column < 0 || column >= Size || row < 0 ||
      row >= Size)
    return false;
  return rows_[index][row] & (0x80000000u >> column);
}

QImage GlyphSet::image(int index) const {
  QImage img(Size, Size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  if (isValidIndex(index)) stamp(img, Anchor, Anchor, index);
  return img;
}

void GlyphSet::stamp(QImage &target, int x, int y, int index) const {
  if (!isValidIndex(index)) return;
  const bool direct = target.format() == QImage::Format_RGB32 ||
                      target.format() == QImage::Format_ARGB32 ||
                      target.format() == QImage::Format_ARGB32_Premultiplied;
  if (!direct) {
    QPainter painter(&target);
    painter.drawImage(x - Anchor, y - Anchor, image(index));
    return;
  }
  stamp(target.bits(), target.width(), target.height(), target.bytesPerLine(),
        x, y, index);
}

void GlyphSet::stamp(uchar *bits, int width, int height, qsizetype bytesPerLine,
                     int x, int y, int index) const {
  if (!isValidIndex(index)) return;
  // Coordinates come from page files and may lie anywhere in 32 bits: a
  // cell that misses the image is skipped before any arithmetic on it can
  // overflow.
  if (x < Anchor - Size + 1 || y < Anchor - Size + 1 || x >= width + Anchor ||
      y >= height + Anchor)
    return;
  const int left = x - Anchor;
  const int top = y - Anchor;
  const Rows &glyph = rows_[index];
  // Columns of the cell that fall inside the image, as a row mask.
  const int firstColumn = std::max(0, -left);
  const int lastColumn = std::min(Size, width - left);  // exclusive
  std::uint32_t visible = ~0u;
  if (firstColumn > 0) visible &= ~0u >> firstColumn;
  if (lastColumn < Size) visible &= ~(~0u >> lastColumn);
  for (int r = std::max(0, -top); r < Size && top + r < height; ++r) {
    std::uint32_t mask = glyph[r] & visible;
    if (!mask) continue;
    QRgb *line =
        reinterpret_cast<QRgb *>(bits + (top + r) * bytesPerLine) + left;
    while (mask) {
      const int c = __builtin_clz(mask);
      line[c] = 0xFF000000u;
      mask &= ~(0x80000000u >> c);
    }
  }
}
