#pragma once

#include <QFont>
#include <QString>

// The Windows faces the pages ask for, mapped onto the IPA fonts.
namespace page_fonts {

// The face named by its Windows name, asked for by the name of the IPA face
// that stands in for it. A face asked for by a name that is not installed
// costs a search through the fallback fonts for each script it shows, which
// cost a start-up a sixth of its time.
QFont face(const QString &windowsName, int pixelSize);

// "ＭＳ Ｐ明朝" at 12 pixels without smoothing: page texts and the letter
// input field.
QFont pageTextFont();
// "ＭＳ 明朝" at 12 pixels: the text window and the contents list.
QFont mincho12();
// "ＭＳ Ｐゴシック" at 12 pixels: the windows' own captions, menus and
// buttons.
QFont gothic12();

}  // namespace page_fonts
