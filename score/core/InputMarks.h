#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

#include "score/core/GlyphCell.h"

class InputList;

// One input as it is drawn: a glyph stamped with its cell's anchor on the
// point, or a text with its top-left corner there.
struct InputMark {
  int input = 0;  // its place in the list
  int x = 0;
  int y = 0;
  bool isGlyph = false;
  int glyph = 0;        // a glyph's index
  QByteArrayView text;  // a text's bytes, valid while the list is unchanged

  int cellLeft() const { return x - glyph_cell::Anchor; }
  int cellTop() const { return y - glyph_cell::Anchor; }
};

// Where drawing stopped: the input and its text that is not a number.
struct MarkStop {
  int input;
  QByteArray text;
};

// The mark that a content leaves at a point already converted. Nothing for
// a glyph index that is not a number or not one of the glyphs, nor for an
// empty text.
std::optional<InputMark> markAt(QByteArrayView content, int x, int y);

// Walks the inputs of a page in list order and gives the marks that can
// leave ink on paper of the given size. Every input is converted, also one
// off the paper, and the walk stops at the first whose X, Y or glyph index
// is not a number: the marks before it stay drawn, it and the rest do not.
class InputMarks {
 public:
  InputMarks(const InputList &inputs, int paperWidth, int paperHeight);

  // The next mark; false at the end of the list or at a number that does
  // not convert, which stop() then names.
  bool next(InputMark &mark);
  const std::optional<MarkStop> &stop() const { return stop_; }

 private:
  const InputList &inputs_;
  int width_;
  int height_;
  int at_ = 0;
  std::optional<MarkStop> stop_;
};
