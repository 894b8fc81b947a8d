#pragma once

#include <QString>

// What each of the 41 glyphs is called in Japanese, as a reader of the
// page would say it: the name that stands for the glyph wherever a page is
// told in words rather than shown.
namespace glyph_names {

// The name of glyph `index`; empty for an index that is no glyph.
QString name(int index);

}  // namespace glyph_names
