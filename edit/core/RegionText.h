#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <array>

#include "score/core/InputList.h"

// The region text: how a rectangle of the page travels through the
// clipboard. Code page 932 lines, each ended by CR LF:
//
//   %Fum%
//   Left, Top, Right, Bottom     one signed decimal each
//   Content, X, Y                for every input, as the page holds them
namespace region_text {

// Left, Top, Right and Bottom of a rectangle in canvas pixels.
using Rect = std::array<int, 4>;

struct Region {
  Rect rect{};
  InputList inputs;
};

// The first line of every region text.
inline constexpr QByteArrayView Marker = "%Fum%";

QByteArray compose(const Region &region);

// True when the text's first line, without its line end, is the marker.
bool isRegionText(QByteArrayView text);

// What a region text holds, or the first line that should have been a
// whole number and is not (a missing line reads as empty). A region text
// is taken whole or not at all, so the page never holds a place it cannot
// draw.
struct Parsed {
  bool ok = false;
  Region region;
  QByteArray notANumber;  // when !ok
};

// Reads a text known to be a region text (see isRegionText). Lines may end
// in CR LF, LF or CR. A single-byte "|" in a Content becomes "｜", which
// looks the same: the page file uses "|" to separate its fields.
Parsed parse(QByteArrayView text);

}  // namespace region_text
