#pragma once

#include <QByteArray>

#include "base/core/Cp932.h"
#include "score/core/ScorePage.h"

// The large page the redraw and history benchmarks share.
constexpr int LargePageInputs = 10000;

// 32 staves 1280 wide with 9,000 glyphs and 1,000 short texts.
inline const ScorePage &largePage() {
  static const ScorePage page = [] {
    ScorePage p;
    p.StaffCount = 32;
    p.StaffWidth = 1280;
    const QByteArray texts[] = {"Allegro", cp932::fromUnicode("ド"),
                                cp932::fromUnicode("全音符"), "rit."};
    for (int i = 0; i < LargePageInputs; ++i) {
      const int x = 24 + (i * 37) % 1232;
      const int y = 16 + (i * 4) % 2048;
      if (i % 10 == 9)
        p.append(texts[i / 10 % 4], x, y);
      else
        p.append(glyphContent(i % 41), x, y);
    }
    return p;
  }();
  return page;
}
