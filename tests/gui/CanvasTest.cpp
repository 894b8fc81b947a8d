#include <gtest/gtest.h>

#include "score/core/ScorePage.h"
#include "score/render/Canvas.h"
#include "score/render/GlyphSet.h"

namespace {

bool black(const QImage &image, int x, int y) {
  return image.pixel(x, y) == qRgb(0, 0, 0);
}

// Rows of the canvas that hold any black pixel.
QList<int> inkedRows(const QImage &image) {
  QList<int> rows;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) {
        rows << y;
        break;
      }
    }
  }
  return rows;
}

QList<int> staffLines(int staffCount) {
  QList<int> rows;
  for (int k = 0; k < staffCount; ++k)
    for (int j = 0; j < 5; ++j) rows << 32 + 64 * k + 8 * j;
  return rows;
}

void expectPaper(const QImage &image, int staffCount, int width) {
  ASSERT_EQ(image.width(), width);
  ASSERT_EQ(image.height(), 64 * staffCount + 36);
  EXPECT_EQ(inkedRows(image), staffLines(staffCount));
  for (int y : staffLines(staffCount)) {
    EXPECT_FALSE(black(image, 19, y));
    EXPECT_TRUE(black(image, 20, y));
    EXPECT_TRUE(black(image, width - 21, y));
    EXPECT_FALSE(black(image, width - 20, y));
  }
}

}  // namespace

TEST(Canvas, StaffPaperGeometry) {
  Canvas canvas;
  expectPaper(canvas.image(), 4, 610);
  canvas.ResizeCanvas(1, 60);
  expectPaper(canvas.image(), 1, 60);
  canvas.ResizeCanvas(32, 1280);
  expectPaper(canvas.image(), 32, 1280);
  EXPECT_EQ(staffLines(32).last(), 2048);
}

TEST(Canvas, ReplayPaintsInListOrderAndStopsAtABadNumber) {
  Canvas canvas;
  ScorePage page;
  page.append("`30", 100, 48);  // a barline across the first staff
  page.append("`20", 100, 48);  // a whole rest painted over it
  page.append("`24", "x1", "50");
  page.append("`24", 300, 100);
  const auto error = canvas.ReplayInputs(page);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->input, 2);
  EXPECT_EQ(error->text, "x1");
  // The inputs before the bad one are drawn, the ones after it are not.
  EXPECT_TRUE(black(canvas.image(), 100, 40));
  EXPECT_FALSE(black(canvas.image(), 300, 100));

  Canvas expected;
  expected.drawGlyph(100, 48, 30);
  expected.drawGlyph(100, 48, 20);
  EXPECT_EQ(canvas.image(), expected.image());
}

TEST(Canvas, GlyphIndexReadsTwoDigitsAndIgnoresUnknownGlyphs) {
  Canvas viaContent;
  ScorePage page;
  page.append("`123", 200, 100);  // reads as glyph 12
  page.append("`41", 300, 100);   // no such glyph: nothing drawn
  page.append("`-1", 400, 100);
  EXPECT_FALSE(viaContent.ReplayInputs(page).has_value());
  Canvas expected;
  expected.drawGlyph(200, 100, 12);
  EXPECT_EQ(viaContent.image(), expected.image());
}

TEST(Canvas, TextIsBlackAtItsTopLeftCornerOverTheLines) {
  Canvas canvas;
  ScorePage page;
  page.append(QByteArray("\x89\xB9\x95\x84", 4), 30, 28);  // 音符
  page.append("", 40, 40);  // an empty text draws nothing
  EXPECT_FALSE(canvas.ReplayInputs(page).has_value());
  const QImage &image = canvas.image();
  const QImage paper = Canvas().image();
  int minX = 1 << 30, minY = 1 << 30, maxY = -1;
  bool onlyBlackOrWhite = true;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (p != qRgb(0, 0, 0) && p != qRgb(255, 255, 255))
        onlyBlackOrWhite = false;
      if (p != paper.pixel(x, y)) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
    }
  }
  EXPECT_TRUE(onlyBlackOrWhite);
  EXPECT_GE(minX, 30);
  EXPECT_LE(minX, 33);
  EXPECT_GE(minY, 28);
  EXPECT_LE(maxY, 28 + 13);
  // The staff line shows through the text's background.
  EXPECT_TRUE(black(image, 20, 32));
}

TEST(Canvas, GlyphsAreClippedAtTheEdges) {
  Canvas canvas;
  canvas.drawGlyph(-10, -10, 20);
  canvas.drawGlyph(605, 290, 30);
  canvas.drawGlyph(-100, 5000, 30);
  EXPECT_TRUE(black(canvas.image(), 605, 291));
  EXPECT_TRUE(black(canvas.image(), 605, 274));
}
