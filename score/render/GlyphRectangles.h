#pragma once

#include <QList>
#include <QRect>

#include "score/render/GlyphSet.h"

// A glyph's ink as few rectangles, relative to its cell's top-left corner:
// each run of ink in a row, carried down through the rows below that have
// the same run. Together they cover exactly the ink, without overlap, in
// about a third of the rectangles of one per run; vector drawings of a page
// (the booklet, the website's staff paper) are that much smaller.
QList<QRect> glyphRectangles(const GlyphSet::Rows &rows);
