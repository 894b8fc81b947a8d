#pragma once

#include <QStringList>

// Which glyph each control of the note palette selects.
namespace palette_glyphs {

// The glyph of palette button `tag` (1..14) with the flip toggle; -1 for a
// tag that selects nothing.
int forButton(int tag, int flipToggle);

// The symbol-name list and the glyphs its items select, item by item.
const QStringList &symbolNames();
int forSymbol(int item);

// The digit list: item n selects glyph n.
const QStringList &digitNames();

}  // namespace palette_glyphs
