#include <gtest/gtest.h>

#include "base/core/Cp932.h"
#include "export/core/StaffDescription.h"
#include "score/core/ScorePage.h"

namespace {

struct Input {
  const char *content;  // "`n" for glyph n, else a text
  int x, y;
};

QStringList told(std::initializer_list<Input> inputs, int staffCount = 4) {
  ScorePage page;
  page.StaffCount = staffCount;
  for (const Input &in : inputs)
    page.Inputs.append(cp932::fromUnicode(QString::fromUtf8(in.content)), in.x,
                       in.y);
  return staff_description::sentences(page);
}

// Staves at lines y 32..64, 96..128, 160..192, 224..256.
TEST(StaffDescription, TellsStaffByStaffFromLeftToRight) {
  const struct {
    const char *what;
    std::initializer_list<Input> inputs;
    QStringList said;
  } cases[] = {
      {"put in any order",
       {{"`14", 200, 112}, {"`32", 36, 112}, {"`30", 300, 48}, {"`22", 90, 48}},
       {"1段目：八分休符、小節線", "2段目：ト音記号、四分音符"}},
      {"a note's name under it, and a word beside a note, by their middles",
       {{"`14", 100, 56},
        {"ド", 94, 70},
        {"`15", 140, 40},
        {"中央のド", 150, 36}},
       {"1段目：四分音符、「ド」、四分音符、「中央のド」"}},
      {"a chord from the top down, a ledger line with its note in input order",
       {{"`10", 80, 64}, {"`10", 80, 48}, {"`25", 120, 72}, {"`10", 120, 72}},
       {"1段目：全音符、全音符、加線、全音符"}},
      {"a word under the last staff and notes far off the lines",
       {{"`10", 60, 20}, {"`10", 60, 270}, {"終わり", 40, 262}},
       {"1段目：全音符", "4段目：「終わり」、全音符"}},
      {"staves without marks are left out but keep their numbers",
       {{"`33", 36, 176}},
       {"3段目：ヘ音記号"}},
      {"nothing after an input the paper stops at",
       {{"`32", 36, 48}, {"`3x", 60, 48}, {"`14", 90, 48}},
       {"1段目：ト音記号"}},
      {"an empty page", {}, {}},
  };
  for (const auto &c : cases) EXPECT_EQ(told(c.inputs), c.said) << c.what;
}

}  // namespace
