#pragma once

#include <QString>
#include <optional>

#include "score/core/InputMarks.h"

class ScorePage;

// A page's staff paper as SVG: each staff line a line, each glyph its
// 32 x 32 pattern as runs of pixels, each text real text. One SVG unit is
// one page pixel, so at one pixel per unit the browser draws what the
// canvas holds.
namespace site_page_svg {

// The markup of the page's paper. Like the canvas, drawing stops at the
// first input whose number does not convert; that input comes back in
// `error` and the inputs before it are drawn.
QString paper(const ScorePage &page, std::optional<MarkStop> *error = nullptr);

}  // namespace site_page_svg
