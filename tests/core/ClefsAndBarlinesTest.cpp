#include <gtest/gtest.h>

#include <climits>
#include <ostream>

#include "edit/core/ClefsAndBarlines.h"

using clefs_and_barlines::Choice;
using clefs_and_barlines::GlyphInput;
using clefs_and_barlines::inputs;

namespace clefs_and_barlines {
void PrintTo(const GlyphInput &g, std::ostream *out) {
  *out << "`" << g.glyph << " at (" << g.x << ", " << g.y << ")";
}
}  // namespace clefs_and_barlines

namespace {

// The barlines of one staff's middle line `y` at the x values, right to
// left, with joining barlines when `joined`, then the left barline.
QList<GlyphInput> staff(int y, QList<int> xs, bool joined, bool left) {
  QList<GlyphInput> out;
  if (left) xs << 20;
  for (int x : xs) {
    out.append({30, x, y});
    if (joined) out.append({30, x, y + 32});
  }
  return out;
}

}  // namespace

TEST(ClefsAndBarlines, GrandStaffOfTwoInFourBarsInOrder) {
  const QList<GlyphInput> expected =
      QList<GlyphInput>{{32, 30, 48}, {33, 30, 112}} +
      staff(48, {589, 457, 325, 193}, true, true) +
      staff(112, {589, 457, 325, 193}, false, true);
  EXPECT_EQ(expected.size(), 17);
  EXPECT_EQ(inputs({4, 2, 1, 1, 2}, 610), expected);
}

TEST(ClefsAndBarlines, ChoicesAsTheyLandOnThePage) {
  const struct Case {
    const char *name;
    Choice choice;
    int width;
    QList<GlyphInput> expected;
  } cases[] = {
      {"nothing", {0, 0, 3, 1, 4}, 610, {}},
      {"three bars", {0, 1, 0, 1, 1}, 610, staff(48, {589, 413, 237}, 0, 0)},
      {"four bars",
       {0, 2, 0, 1, 1},
       610,
       staff(48, {589, 457, 325, 193}, 0, 0)},
      {"five bars",
       {0, 3, 0, 1, 1},
       610,
       staff(48, {589, 483, 377, 271, 165}, 0, 0)},
      {"six bars",
       {0, 4, 0, 1, 1},
       610,
       staff(48, {589, 501, 413, 325, 237, 149}, 0, 0)},
      {"narrow page", {0, 1, 0, 1, 1}, 100, staff(48, {79, 73, 67}, 0, 0)},
      {"grand staff of three",
       {4, 0, 0, 1, 3},
       610,
       {{32, 30, 48}, {33, 30, 112}, {32, 30, 176}}},
      {"bass clefs from staff 3",
       {2, 0, 0, 3, 2},
       610,
       {{33, 30, 176}, {33, 30, 240}}},
      {"systems of three over six",
       {0, 1, 2, 1, 6},
       610,
       staff(48, {589, 413, 237}, 1, 1) + staff(112, {589, 413, 237}, 1, 1) +
           staff(176, {589, 413, 237}, 0, 1) +
           staff(240, {589, 413, 237}, 1, 1) +
           staff(304, {589, 413, 237}, 1, 1) +
           staff(368, {589, 413, 237}, 0, 1)},
      {"systems of two from staff 2",
       {0, 1, 1, 2, 4},
       610,
       staff(112, {589, 413, 237}, 1, 1) + staff(176, {589, 413, 237}, 0, 1) +
           staff(240, {589, 413, 237}, 1, 1) +
           staff(304, {589, 413, 237}, 0, 1)},
      {"no staves", {1, 2, 0, 1, 0}, 610, {}},
      {"fewer than none", {1, 2, 0, 1, -3}, 610, {}},
      {"from staff 40, below the page",
       {2, 0, 0, 40, 1},
       610,
       {{33, 30, 64 * 40 - 16}}},
      {"from staff 0, above it",
       {2, 0, 0, 0, 2},
       610,
       {{33, 30, -16}, {33, 30, 48}}},
      {"past the range of whole numbers", {1, 1, 1, INT_MAX, 2}, 610, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(inputs(c.choice, c.width), c.expected);
  }
}

TEST(ClefsAndBarlines, FieldsReadAsTypedAndRunsStayWithinAPage) {
  for (const auto &[text, value] : {std::pair{" 7", 7},
                                    {"-2", -2},
                                    {"40", 40},
                                    {"3x", 1},
                                    {"", 1},
                                    {"99999999999", 1}})
    EXPECT_EQ(clefs_and_barlines::fieldValue(QString::fromUtf8(text)), value);
  // A staff count far past the largest page makes a page's worth.
  EXPECT_EQ(inputs({1, 0, 0, 1, INT_MAX}, 610).size(), 32);
}
