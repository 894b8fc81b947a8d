#include "score/render/GlyphRectangles.h"

#include <bit>
#include <cstdint>

QList<QRect> glyphRectangles(const GlyphSet::Rows &rows) {
  QList<QRect> done;
  QList<QRect> open;  // reaching down to the row before this one
  for (int row = 0; row <= GlyphSet::Size; ++row) {
    const std::uint32_t bits = row < GlyphSet::Size ? rows[row] : 0;
    QList<QRect> next;
    std::uint32_t mask = bits;
    while (mask) {
      const int first = std::countl_zero(mask);
      const int run = std::countl_one(std::uint32_t(mask << first));
      mask = first + run >= GlyphSet::Size ? 0 : mask & (~0u >> (first + run));
      QRect rect(first, row, run, 1);
      for (qsizetype i = 0; i < open.size(); ++i) {
        if (open[i].left() == first && open[i].width() == run) {
          rect = open.takeAt(i).adjusted(0, 0, 0, 1);
          break;
        }
      }
      next.append(rect);
    }
    done.append(open);
    open = next;
  }
  return done;
}
