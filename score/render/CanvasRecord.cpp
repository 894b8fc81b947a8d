#include "score/render/CanvasRecord.h"

#include <algorithm>

#include "score/core/GlyphCell.h"

namespace {

// Page texts are one line of a small face: one whose top lies this far
// above the paper cannot reach it.
constexpr int TextReach = 64;

}  // namespace

void CanvasRecord::clear() {
  marks_.clear();
  texts_.clear();
  inkEnd_ = 0;
}

void CanvasRecord::addGlyph(int x, int y, int index, int paperWidth,
                            int paperHeight) {
  if (!glyph_cell::isValidIndex(index) ||
      !glyph_cell::meetsPaper(x, y, paperWidth, paperHeight))
    return;
  marks_.push_back({DrawnMark::Kind::Glyph, x, y, index, 0});
  inkEnd_ = marks_.size();
}

void CanvasRecord::addText(int x, int y, QByteArrayView text, int paperWidth,
                           int paperHeight) {
  if (text.isEmpty() || x >= paperWidth || y >= paperHeight || y < -TextReach)
    return;
  marks_.push_back(
      {DrawnMark::Kind::Text, x, y, int(texts_.size()), int(text.size())});
  texts_.append(text);
  inkEnd_ = marks_.size();
}

void CanvasRecord::addXorFrame(int left, int top, int right, int bottom) {
  addXor({DrawnMark::Kind::XorFrame, std::min(left, right),
          std::min(top, bottom), std::max(left, right), std::max(top, bottom)});
}

void CanvasRecord::addXorMarker(int x, int y) {
  addXor({DrawnMark::Kind::XorMarker, x, y, 0, 0});
}

void CanvasRecord::addXor(const DrawnMark &mark) {
  const auto from = marks_.begin() + qsizetype(inkEnd_);
  const auto same = std::find(from, marks_.end(), mark);
  if (same != marks_.end())
    marks_.erase(same);
  else
    marks_.push_back(mark);
}
