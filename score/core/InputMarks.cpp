#include "score/core/InputMarks.h"

#include "score/core/Decimal.h"
#include "score/core/InputList.h"

namespace {

// Page texts are one line of a small face: one whose top lies this far
// above the paper cannot reach it.
constexpr int TextReach = 64;

enum class Decoded { Mark, Nothing, NotANumber };

Decoded decode(QByteArrayView content, InputMark &mark) {
  mark.isGlyph = isGlyphReference(content);
  if (!mark.isGlyph) {
    mark.text = content;
    return content.isEmpty() ? Decoded::Nothing : Decoded::Mark;
  }
  const std::optional<int> index = parseGlyphIndex(content);
  if (!index) return Decoded::NotANumber;
  mark.glyph = *index;
  mark.text = {};
  return glyph_cell::isValidIndex(*index) ? Decoded::Mark : Decoded::Nothing;
}

bool onPaper(const InputMark &mark, int width, int height) {
  if (mark.isGlyph)
    return glyph_cell::meetsPaper(mark.x, mark.y, width, height);
  return mark.x < width && mark.y < height && mark.y >= -TextReach;
}

}  // namespace

std::optional<InputMark> markAt(QByteArrayView content, int x, int y) {
  InputMark mark;
  mark.x = x;
  mark.y = y;
  if (decode(content, mark) != Decoded::Mark) return std::nullopt;
  return mark;
}

InputMarks::InputMarks(const InputList &inputs, int paperWidth, int paperHeight)
    : inputs_(inputs), width_(paperWidth), height_(paperHeight) {}

bool InputMarks::next(InputMark &mark) {
  if (stop_) return false;
  for (const int n = inputs_.count(); at_ < n;) {
    const int i = at_++;
    const std::optional<int> x = parseDecimal(inputs_.x(i));
    if (!x) {
      stop_ = MarkStop{i, inputs_.x(i).toByteArray()};
      return false;
    }
    const std::optional<int> y = parseDecimal(inputs_.y(i));
    if (!y) {
      stop_ = MarkStop{i, inputs_.y(i).toByteArray()};
      return false;
    }
    mark.input = i;
    mark.x = *x;
    mark.y = *y;
    const QByteArrayView content = inputs_.content(i);
    switch (decode(content, mark)) {
      case Decoded::NotANumber:
        // The index is the one or two characters after the backquote.
        stop_ = MarkStop{i, content.toByteArray().mid(1, 2)};
        return false;
      case Decoded::Nothing:
        continue;
      case Decoded::Mark:
        if (onPaper(mark, width_, height_)) return true;
    }
  }
  return false;
}
