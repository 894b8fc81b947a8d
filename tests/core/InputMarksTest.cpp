#include <gtest/gtest.h>

#include <QStringList>
#include <initializer_list>

#include "score/core/InputList.h"
#include "score/core/InputMarks.h"

namespace {

struct Input {
  const char *content, *x, *y;
};

// The marks of a list on paper 200 x 164, one word each ("g14@100,50",
// "t'Do'@10,20"), then where they stopped ("stop 2 '1a'").
QString walk(std::initializer_list<Input> given) {
  InputList list;
  for (const Input &in : given) list.append(in.content, in.x, in.y);
  InputMarks marks(list, 200, 164);
  QStringList out;
  for (InputMark mark; marks.next(mark);) {
    out << (mark.isGlyph ? QStringLiteral("g%1@%2,%3").arg(mark.glyph)
                         : QStringLiteral("t'%1'@%2,%3")
                               .arg(QString::fromLatin1(mark.text)))
               .arg(mark.x)
               .arg(mark.y);
  }
  InputMark after;
  EXPECT_FALSE(marks.next(after)) << "the walk went on after it ended";
  if (const auto &stop = marks.stop())
    out << QStringLiteral("stop %1 '%2'")
               .arg(stop->input)
               .arg(QString::fromLatin1(stop->text));
  return out.join(QLatin1Char(' '));
}

}  // namespace

TEST(InputMarks, DecodesGlyphsAndTextsAndStopsAtTheFirstBadNumber) {
  const struct {
    const char *name;
    std::initializer_list<Input> inputs;
    const char *expected;
  } cases[] = {
      {"glyph and text",
       {{"`14", "100", "50"}, {"Do", " 10", "+20"}, {"`123", "5", "6"}},
       "g14@100,50 t'Do'@10,20 g12@5,6"},
      {"bad x, the inputs before it stay",
       {{"`14", "40", "50"}, {"`14", "1a", "50"}, {"`14", "60", "50"}},
       "g14@40,50 stop 1 '1a'"},
      {"bad y", {{"Do", "40", " 12 "}}, "stop 0 ' 12 '"},
      {"x is named before y", {{"Do", "x", "y"}}, "stop 0 'x'"},
      {"bad glyph index: the two characters after the backquote",
       {{"`x5", "40", "50"}},
       "stop 0 'x5'"},
      {"an input off the paper is still read",
       {{"`14", "-500", "50"}, {"`", "60", "5000"}, {"`14", "60", "50"}},
       "stop 1 ''"},
      {"glyph index out of range and empty text draw nothing",
       {{"`-1", "4", "5"}, {"", "4", "5"}, {"`40", "4", "5"}},
       "g40@4,5"},
      // A cell with a pixel on the paper is kept for the drawing to clip.
      {"cells off the paper",
       {{"`1", "-15", "50"},
        {"`2", "-16", "50"},
        {"`3", "215", "50"},
        {"`4", "216", "50"},
        {"`5", "60", "-15"},
        {"`6", "60", "-16"},
        {"`7", "60", "179"},
        {"`8", "60", "180"},
        {"`9", "2147483647", "-2147483648"},
        {"`9", "-2147483648", "2147483647"}},
       "g1@-15,50 g3@215,50 g5@60,-15 g7@60,179"},
      // Texts right of or below the paper, or more than a line above it,
      // cannot reach it; one far to the left may be long enough to.
      {"texts off the paper",
       {{"A", "199", "163"},
        {"B", "200", "100"},
        {"C", "50", "164"},
        {"D", "50", "-64"},
        {"E", "50", "-65"},
        {"F", "-2147483648", "9"}},
       "t'A'@199,163 t'D'@50,-64 t'F'@-2147483648,9"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(walk(c.inputs), QString::fromLatin1(c.expected)) << c.name;
}

TEST(InputMarks, OneInputAtAPointIsAGlyphATextOrNothing) {
  const auto glyph = markAt("`7", 100, 50);
  ASSERT_TRUE(glyph && glyph->isGlyph && glyph->glyph == 7);
  const auto text = markAt("Do", 1, 2);
  EXPECT_TRUE(text && !text->isGlyph && text->text == "Do");
  EXPECT_FALSE(markAt("`41", 1, 2) || markAt("`x", 1, 2) || markAt("", 1, 2));
}
