#include "score/core/PaletteGlyphs.h"

namespace palette_glyphs {

int forButton(int tag, int flipToggle) {
  // {normal, flipped} for the tags 1..14.
  static const int table[14][2] = {
      {10, 10}, {12, 13}, {14, 15}, {16, 17}, {18, 19}, {21, 21}, {22, 22},
      {25, 25}, {28, 29}, {24, 24}, {37, 37}, {36, 36}, {35, 35}, {30, 30}};
  if (tag < 1 || tag > 14) return -1;
  return table[tag - 1][flipToggle ? 1 : 0];
}

const QStringList &symbolNames() {
  static const QStringList names = {
      QStringLiteral("ト音記号"),   QStringLiteral("ヘ音記号"),
      QStringLiteral("ハ音記号"),   QStringLiteral("黒玉"),
      QStringLiteral("全休符"),     QStringLiteral("16分休符"),
      QStringLiteral("短タイ(下)"), QStringLiteral("短タイ(上)"),
      QStringLiteral("Wシャープ"),  QStringLiteral("フェルマータ"),
      QStringLiteral("ブレス"),     QStringLiteral("終止線")};
  return names;
}

int forSymbol(int item) {
  static const int glyphs[12] = {32, 33, 34, 11, 20, 23,
                                 26, 27, 38, 39, 40, 31};
  if (item < 0 || item >= 12) return -1;
  return glyphs[item];
}

const QStringList &digitNames() {
  static const QStringList names = {QStringLiteral("０"), QStringLiteral("１"),
                                    QStringLiteral("２"), QStringLiteral("３"),
                                    QStringLiteral("４"), QStringLiteral("５"),
                                    QStringLiteral("６"), QStringLiteral("７"),
                                    QStringLiteral("８"), QStringLiteral("９")};
  return names;
}

}  // namespace palette_glyphs
