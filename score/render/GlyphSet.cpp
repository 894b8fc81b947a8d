#include "score/render/GlyphSet.h"

#include <QColor>
#include <QFile>
#include <QPainter>
#include <QString>
#include <array>
#include <optional>

namespace {

QString glyphFile(int index) {
  return QStringLiteral(":/glyphs/glyph%1.xpm")
      .arg(index, 2, 10, QLatin1Char('0'));
}

// Ink is an opaque dark pixel.
bool isInk(QRgb pixel) { return qAlpha(pixel) >= 128 && qGray(pixel) < 128; }

GlyphSet::Rows decodedRows(const QString &file) {
  GlyphSet::Rows rows{};
  const QImage picture(file);
  if (picture.isNull()) return rows;
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  const int h = std::min(argb.height(), GlyphSet::Size);
  const int w = std::min(argb.width(), GlyphSet::Size);
  for (int r = 0; r < h; ++r) {
    const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(r));
    std::uint32_t mask = 0;
    for (int c = 0; c < w; ++c)
      if (isInk(line[c])) mask |= 0x80000000u >> c;
    rows[r] = mask;
  }
  return rows;
}

// The glyphs are XPM text with one character a pixel, read here directly:
// the image reader took a tenth of the program's start-up for them.
// Anything else is left to the image reader.
std::optional<GlyphSet::Rows> readOneCharXpm(const QByteArray &text) {
  QList<QByteArrayView> strings;
  for (qsizetype at = 0;;) {
    const qsizetype open = text.indexOf('"', at);
    if (open < 0) break;
    const qsizetype close = text.indexOf('"', open + 1);
    if (close < 0) return std::nullopt;
    strings.append(QByteArrayView(text).sliced(open + 1, close - open - 1));
    at = close + 1;
  }
  if (strings.isEmpty()) return std::nullopt;
  const QList<QByteArray> header =
      strings[0].toByteArray().simplified().split(' ');
  if (header.size() < 4) return std::nullopt;
  const int width = header[0].toInt(), height = header[1].toInt();
  const int colours = header[2].toInt(), perPixel = header[3].toInt();
  if (perPixel != 1 || width <= 0 || height <= 0 || colours <= 0 ||
      strings.size() < 1 + colours + height)
    return std::nullopt;
  std::array<bool, 256> ink{};
  for (int i = 1; i <= colours; ++i) {
    const QByteArrayView entry = strings[i];
    if (entry.isEmpty()) return std::nullopt;
    const QList<QByteArray> words =
        entry.sliced(1).toByteArray().simplified().split(' ');
    const qsizetype key = words.indexOf("c");
    if (key < 0 || key + 1 >= words.size()) return std::nullopt;
    const QColor colour(QString::fromLatin1(words[key + 1]));
    ink[static_cast<uchar>(entry[0])] =
        colour.isValid() && isInk(colour.rgba());
  }
  GlyphSet::Rows rows{};
  for (int r = 0; r < std::min(height, GlyphSet::Size); ++r) {
    const QByteArrayView line = strings[1 + colours + r];
    if (line.size() < width) return std::nullopt;
    std::uint32_t mask = 0;
    for (int c = 0; c < std::min(width, GlyphSet::Size); ++c)
      if (ink[static_cast<uchar>(line[c])]) mask |= 0x80000000u >> c;
    rows[r] = mask;
  }
  return rows;
}

GlyphSet::Rows loadRows(int index) {
  const QString file = glyphFile(index);
  QFile text(file);
  if (text.open(QIODevice::ReadOnly))
    if (const auto rows = readOneCharXpm(text.readAll())) return *rows;
  return decodedRows(file);
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
  // A cell that misses the image is skipped before any arithmetic on its
  // point can overflow.
  if (!glyph_cell::meetsPaper(x, y, width, height)) return;
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
