#pragma once

#include <QByteArrayView>
#include <optional>

// The program's decimal-to-integer conversion for numbers held as text
// (coordinates, glyph indices, header values): optional leading spaces, an
// optional sign, then decimal digits and nothing else, within 32 bits.
std::optional<int> parseDecimal(QByteArrayView text);

// Reads the glyph index of a glyph reference: the one or two characters
// after the backquote. Anything after them is not read.
std::optional<int> parseGlyphIndex(QByteArrayView content);

inline bool isGlyphReference(QByteArrayView content) {
  return !content.isEmpty() && content.front() == '`';
}
