#include "score/core/GlyphNames.h"

#include "score/core/GlyphCell.h"

namespace glyph_names {

QString name(int index) {
  // By index. A note's stem direction and a tie's side are how it is
  // drawn, not what it means, so both ways share a name.
  static const char16_t *const names[glyph_cell::Count] = {
      u"数字０",   u"数字１",   u"数字２",         u"数字３",
      u"数字４",   u"数字５",   u"数字６",         u"数字７",
      u"数字８",   u"数字９",   u"全音符",         u"黒玉",
      u"二分音符", u"二分音符", u"四分音符",       u"四分音符",
      u"八分音符", u"八分音符", u"十六分音符",     u"十六分音符",
      u"全休符",   u"四分休符", u"八分休符",       u"十六分休符",
      u"付点",     u"加線",     u"短いタイ",       u"短いタイ",
      u"タイ",     u"タイ",     u"小節線",         u"終止線",
      u"ト音記号", u"ヘ音記号", u"ハ音記号",       u"ナチュラル",
      u"フラット", u"シャープ", u"ダブルシャープ", u"フェルマータ",
      u"ブレス"};
  if (!glyph_cell::isValidIndex(index)) return {};
  return QString::fromUtf16(names[index]);
}

}  // namespace glyph_names
