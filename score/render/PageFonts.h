#pragma once

#include <QFont>

// The Windows faces the pages ask for, mapped onto the IPA fonts.
namespace page_fonts {

// Registers the face substitutions once; call before any text is drawn.
void install();

// "ＭＳ Ｐ明朝" at 12 pixels without smoothing: page texts and the letter
// input field.
QFont pageTextFont();
// "ＭＳ 明朝" at 12 pixels: the text window and the contents list.
QFont mincho12();

}  // namespace page_fonts
