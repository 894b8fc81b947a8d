#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <vector>

// One thing drawn on the canvas over its paper.
struct DrawnMark {
  enum class Kind : std::uint8_t { Glyph, Text, XorFrame, XorMarker };
  Kind kind = Kind::Glyph;
  // A glyph's anchor, a text's top-left corner, a frame's top-left corner
  // (the corners put in order), a marker's centre.
  int x = 0;
  int y = 0;
  // A glyph's index; a text's first byte and length in the record's texts;
  // a frame's right and bottom, both left out.
  int a = 0;
  int b = 0;
  bool operator==(const DrawnMark &) const = default;
};

// What has been drawn on the canvas since its paper, in order, so that the
// screen can draw the same picture again at another scale. Marks that leave
// no ink on the paper are not kept.
class CanvasRecord {
 public:
  void clear();
  void reserve(int marks) { marks_.reserve(std::size_t(marks)); }
  void addGlyph(int x, int y, int index, int paperWidth, int paperHeight);
  void addText(int x, int y, QByteArrayView text, int paperWidth,
               int paperHeight);
  // An XOR mark: one that equals a mark XORed since the last ink takes
  // both away, as the second drawing takes it off the bitmap. XORs among
  // themselves commute, so the record stays as long as what is shown.
  void addXorFrame(int left, int top, int right, int bottom);
  void addXorMarker(int x, int y);

  const std::vector<DrawnMark> &marks() const { return marks_; }
  QByteArrayView text(const DrawnMark &mark) const {
    return QByteArrayView(texts_).sliced(mark.a, mark.b);
  }

 private:
  void addXor(const DrawnMark &mark);

  std::vector<DrawnMark> marks_;
  QByteArray texts_;
  std::size_t inkEnd_ = 0;  // the marks after this are all XORs
};
