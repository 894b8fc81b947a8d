#pragma once

#include <QString>

// Outside input (a typed text, a line of a file or of the clipboard) as a
// message quotes it: its first characters only, so that a huge line can
// neither fill the screen nor hold the window while a box lays it out.
namespace quoted_input {

constexpr qsizetype MaxQuoted = 60;

// `text` when it has at most MaxQuoted characters, else its first ones
// followed by "…". A quote quoted again stays the same.
QString head(const QString &text);

}  // namespace quoted_input
