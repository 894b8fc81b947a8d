#include <gtest/gtest.h>

#include "edit/core/RegionMoves.h"
#include "edit/core/RegionText.h"
#include "support/SampleRegions.h"
#include "support/TestFiles.h"

// The region text that carries a rectangle through the clipboard, and the
// steps of the arrow buttons.

TEST(RegionText, ComposesATwoInputRegionByteForByteAndReadsItBack) {
  region_text::Region region;
  region.rect = {100, 40, 300, 120};
  region.inputs.append("`14", "150", "72");
  region.inputs.append("A", "200", "100");
  EXPECT_EQ(region_text::compose(region), TwoInputRegionBytes);

  const region_text::Parsed parsed = region_text::parse(TwoInputRegionBytes);
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.region.rect, region.rect);
  EXPECT_EQ(parsed.region.inputs, region.inputs);
  // Texts from elsewhere may end their lines in LF alone.
  QByteArray lfOnly = TwoInputRegionBytes;
  EXPECT_EQ(region_text::parse(lfOnly.replace("\r\n", "\n")).region.inputs,
            region.inputs);
}

TEST(RegionText, OnlyAnExactFirstLineMakesARegionText) {
  const std::pair<QByteArray, bool> cases[] = {{TwoInputRegionBytes, true},
                                               {"%Fum%", true},
                                               {"%Fum%\n", true},
                                               {"%Fum% \r\n", false},
                                               {"%fum%\r\n", false},
                                               {" %Fum%", false},
                                               {"", false},
                                               {"\r\n%Fum%", false}};
  for (const auto &[text, expected] : cases)
    EXPECT_EQ(region_text::isRegionText(text), expected) << text.data();
}

TEST(RegionText, ANumberThatIsNotWholeRefusesTheText) {
  // The offending line; a missing line reads as empty.
  const std::pair<QByteArray, QByteArray> cases[] = {
      {"%Fum%\r\n1\r\n2\r\nx\r\n4\r\n", "x"},
      {"%Fum%\r\n1\r\n2\r\n3\r\n", ""},
      {"%Fum%\r\n0\r\n0\r\n9\r\n9\r\n`1\r\n5\r\n5\r\nA\r\n5\r\n", ""},
      {"%Fum%\r\n0\r\n0\r\n9\r\n9\r\n`1\r\n5\r\n5\r\nA\r\n", ""},
      {"%Fum%\r\n0\r\n0\r\n9\r\n9\r\nA\r\n1.5\r\n5\r\n", "1.5"},
      {"%Fum%\r\n0\r\n0\r\n9\r\n9\r\nA\r\n5\r\n99999999999\r\n",
       "99999999999"}};
  for (const auto &[text, bad] : cases) {
    const region_text::Parsed parsed = region_text::parse(text);
    EXPECT_FALSE(parsed.ok) << text.data();
    EXPECT_EQ(parsed.notANumber, bad) << text.data();
    EXPECT_EQ(parsed.region.inputs.count(), 0);
  }
}

TEST(RegionText, APastedBarCannotSplitThePageFile) {
  // "ポ" ends in the byte of "|" and stays whole.
  const QByteArray text =
      "%Fum%\r\n0\r\n0\r\n9\r\n9\r\n" + sjis("a|ポ") + "\r\n1\r\n2\r\n";
  const region_text::Parsed parsed = region_text::parse(text);
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.region.inputs.content(0), sjis("a｜ポ"));
  // An end-of-file byte or a tab in a content would cut or split the saved
  // page: they become spaces, as typed text does.
  const region_text::Parsed controls = region_text::parse(
      "%Fum%\r\n0\r\n0\r\n9\r\n9\r\nA\x1A\tB\x7F\r\n1\r\n2\r\n");
  ASSERT_TRUE(controls.ok);
  EXPECT_EQ(controls.region.inputs.content(0), "A  B ");
}

TEST(RegionMoves, ShiftMovesAStaffCtrlHalfOfItAnythingElseOnePixel) {
  using M = Qt::KeyboardModifiers;
  const M none, shift(Qt::ShiftModifier), ctrl(Qt::ControlModifier),
      both = shift | ctrl, shiftAlt = shift | Qt::AltModifier;
  struct Case {
    MoveArrow arrow;
    M modifiers;
    int step;
  };
  const Case cases[] = {
      {MoveArrow::Up, shift, -64},   {MoveArrow::Up, ctrl, -32},
      {MoveArrow::Up, none, -1},     {MoveArrow::Down, shift, 64},
      {MoveArrow::Down, ctrl, 32},   {MoveArrow::Down, both, 1},
      {MoveArrow::Down, none, 1},    {MoveArrow::Left, shift, -66},
      {MoveArrow::Left, ctrl, -33},  {MoveArrow::Left, shiftAlt, -1},
      {MoveArrow::Right, shift, 66}, {MoveArrow::Right, ctrl, 33},
      {MoveArrow::Right, both, 1},   {MoveArrow::Right, none, 1}};
  for (const Case &c : cases)
    EXPECT_EQ(region_moves::step(c.arrow, c.modifiers), c.step)
        << int(c.arrow) << " " << c.modifiers.toInt();
}
