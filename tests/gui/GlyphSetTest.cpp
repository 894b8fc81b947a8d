#include <gtest/gtest.h>

#include <QBitmap>
#include <QImage>
#include <QString>
#include <algorithm>
#include <bit>
#include <cstdint>

#include "score/render/GlyphCursors.h"
#include "score/render/GlyphRectangles.h"
#include "score/render/GlyphSet.h"

namespace {

// Where each glyph's ink lies in its 32 x 32 cell: columns and rows, both
// inclusive. This is what the art must meet; the rest of the program places
// glyphs relying on it.
struct Extent {
  int left, right, top, bottom;
};

constexpr Extent kInk[GlyphSet::Count] = {
    {11, 19, 10, 22},  //  0 digit 0
    {12, 17, 10, 22},  //  1 digit 1
    {11, 18, 10, 22},  //  2 digit 2
    {11, 18, 10, 22},  //  3 digit 3
    {11, 19, 10, 22},  //  4 digit 4
    {11, 18, 10, 22},  //  5 digit 5
    {11, 19, 10, 22},  //  6 digit 6
    {11, 18, 10, 22},  //  7 digit 7
    {11, 19, 10, 22},  //  8 digit 8
    {11, 19, 10, 22},  //  9 digit 9
    {12, 19, 12, 19},  // 10 whole note
    {12, 19, 12, 19},  // 11 black notehead
    {12, 19, 3, 27},   // 12 half note, stem up
    {12, 19, 4, 28},   // 13 half note, stem down
    {12, 19, 3, 27},   // 14 quarter note, stem up
    {12, 19, 4, 28},   // 15 quarter note, stem down
    {12, 23, 3, 27},   // 16 eighth note, stem up
    {12, 19, 4, 28},   // 17 eighth note, stem down
    {12, 23, 3, 27},   // 18 sixteenth note, stem up
    {12, 19, 4, 28},   // 19 sixteenth note, stem down
    {11, 19, 13, 15},  // 20 whole rest
    {12, 18, 8, 24},   // 21 quarter rest
    {13, 18, 11, 21},  // 22 eighth rest
    {13, 19, 9, 21},   // 23 sixteenth rest
    {15, 16, 15, 17},  // 24 dot
    {9, 22, 16, 16},   // 25 ledger line
    {9, 22, 15, 17},   // 26 short tie below
    {9, 22, 14, 16},   // 27 short tie above
    {0, 31, 16, 20},   // 28 long tie below
    {0, 31, 11, 15},   // 29 long tie above
    {16, 16, 0, 31},   // 30 barline
    {14, 17, 0, 31},   // 31 final barline
    {7, 24, 0, 31},    // 32 treble clef
    {8, 25, 1, 24},    // 33 bass clef
    {10, 23, 1, 30},   // 34 C clef
    {13, 17, 10, 22},  // 35 natural
    {13, 17, 9, 20},   // 36 flat
    {13, 18, 10, 22},  // 37 sharp
    {12, 18, 11, 21},  // 38 double sharp
    {10, 21, 12, 18},  // 39 fermata
    {13, 17, 12, 20},  // 40 breath mark
};

// The note-head oval, top row first: the columns the filled head covers.
constexpr int kOvalLeft[8] = {15, 14, 13, 12, 12, 12, 13, 14};
constexpr int kOvalRight[8] = {16, 17, 18, 19, 19, 19, 18, 17};

bool inOval(int column, int row, int headTop, bool hollow) {
  const int k = row - headTop;
  if (k < 0 || k > 7) return false;
  if (column < kOvalLeft[k] || column > kOvalRight[k]) return false;
  if (hollow && k == 2 && column >= 15 && column <= 16) return false;
  if (hollow && k >= 3 && k <= 5 && column >= 14 && column <= 17) return false;
  return true;
}

QImage picture(const QString &path) {
  return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

QImage glyphPicture(int index) {
  return picture(
      QStringLiteral(":/glyphs/glyph%1.xpm").arg(index, 2, 10, QChar('0')));
}

bool isBlack(QRgb pixel) { return pixel == qRgba(0, 0, 0, 255); }
bool isTransparent(QRgb pixel) { return qAlpha(pixel) == 0; }

Extent inkExtent(int index) {
  Extent e{GlyphSet::Size, -1, GlyphSet::Size, -1};
  const GlyphSet &glyphs = GlyphSet::instance();
  for (int r = 0; r < GlyphSet::Size; ++r)
    for (int c = 0; c < GlyphSet::Size; ++c)
      if (glyphs.ink(index, c, r)) {
        e.left = std::min(e.left, c);
        e.right = std::max(e.right, c);
        e.top = std::min(e.top, r);
        e.bottom = std::max(e.bottom, r);
      }
  return e;
}

int inkCount(int index) {
  int n = 0;
  for (std::uint32_t row : GlyphSet::instance().rows(index))
    n += std::popcount(row);
  return n;
}

QImage whiteCanvas(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// Checks every pixel of the image: black exactly where glyph `index`, with
// its cell's top-left at (x - 16, y - 16), has ink; white everywhere else.
void expectStampedAt(const QImage &image, int x, int y, int index) {
  const GlyphSet &glyphs = GlyphSet::instance();
  int wrong = 0;
  for (int py = 0; py < image.height(); ++py)
    for (int px = 0; px < image.width(); ++px) {
      const bool ink = glyphs.ink(index, px - x + 16, py - y + 16);
      const QRgb expected = ink ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
      if (image.pixel(px, py) != expected && ++wrong <= 3)
        ADD_FAILURE() << "glyph " << index << " at (" << x << "," << y
                      << "): pixel (" << px << "," << py << ") should be "
                      << (ink ? "black" : "white");
    }
  EXPECT_EQ(wrong, 0);
}

bool isBlankWhite(const QImage &image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
  return true;
}

// True when the bitmap's colour1 (black) pixels are exactly the glyph's ink.
bool bitmapMatchesGlyph(const QBitmap &bitmap, int index) {
  const QImage bits = bitmap.toImage().convertToFormat(QImage::Format_ARGB32);
  if (bits.size() != QSize(GlyphSet::Size, GlyphSet::Size)) return false;
  for (int r = 0; r < GlyphSet::Size; ++r)
    for (int c = 0; c < GlyphSet::Size; ++c)
      if ((qGray(bits.pixel(c, r)) < 128) !=
          GlyphSet::instance().ink(index, c, r))
        return false;
  return true;
}

}  // namespace

TEST(GlyphArt, EveryGlyphIsBlackOnTransparentWithItsInkExtent) {
  for (int i = 0; i < GlyphSet::Count; ++i) {
    SCOPED_TRACE(i);
    const QImage image = glyphPicture(i);
    ASSERT_EQ(image.size(), QSize(32, 32));
    bool twoColours = true;
    for (int r = 0; r < 32; ++r)
      for (int c = 0; c < 32; ++c) {
        const QRgb p = image.pixel(c, r);
        twoColours = twoColours && (isBlack(p) || isTransparent(p));
        // The loaded pattern must be the picture, pixel for pixel.
        EXPECT_EQ(isBlack(p), GlyphSet::instance().ink(i, c, r))
            << "column " << c << " row " << r;
      }
    EXPECT_TRUE(twoColours);
    const Extent want = kInk[i];
    const Extent got = inkExtent(i);
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.bottom, want.bottom);
  }
}

TEST(GlyphArt, UnstemmedHeadsAreExactlyTheOval) {
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 32; ++c) {
      EXPECT_EQ(GlyphSet::instance().ink(10, c, r), inOval(c, r, 12, true))
          << "whole note, column " << c << " row " << r;
      EXPECT_EQ(GlyphSet::instance().ink(11, c, r), inOval(c, r, 12, false))
          << "black notehead, column " << c << " row " << r;
    }
}

TEST(GlyphArt, StemmedNotesAreHeadPlusStem) {
  struct Note {
    int index;
    bool hollow;
    bool stemUp;
  };
  const Note notes[] = {{12, true, true},
                        {13, true, false},
                        {14, false, true},
                        {15, false, false}};
  const GlyphSet &glyphs = GlyphSet::instance();
  for (const Note &n : notes) {
    SCOPED_TRACE(n.index);
    const int headTop = n.stemUp ? 20 : 4;
    const int stemLeft = n.stemUp ? 18 : 12;
    // The stem runs unbroken from its far end into the head.
    const int stemFrom = n.stemUp ? 3 : headTop + 7;
    const int stemTo = n.stemUp ? headTop : 28;
    for (int r = 0; r < 32; ++r)
      for (int c = 0; c < 32; ++c) {
        const bool stemColumn = c == stemLeft || c == stemLeft + 1;
        const bool headRow = r >= headTop && r < headTop + 8;
        if (stemColumn && r >= stemFrom && r <= stemTo) {
          EXPECT_TRUE(glyphs.ink(n.index, c, r)) << c << "," << r;
        } else if (!(stemColumn && headRow)) {
          // Off the stem the glyph is the head alone; where the stem meets
          // the head either may be drawn.
          EXPECT_EQ(glyphs.ink(n.index, c, r), inOval(c, r, headTop, n.hollow))
              << c << "," << r;
        }
      }
  }
}

TEST(GlyphArt, FlaggedNotesAddFlagsOnlyInsideTheirBox) {
  struct Flagged {
    int index, base;
    Extent flags;
  };
  const Flagged notes[] = {
      {16, 14, {20, 23, 4, 14}},
      {17, 15, {14, 18, 19, 27}},
      {18, 14, {20, 23, 4, 16}},
      {19, 15, {14, 18, 14, 27}},
  };
  const GlyphSet &glyphs = GlyphSet::instance();
  for (const Flagged &n : notes) {
    SCOPED_TRACE(n.index);
    Extent flagInk{32, -1, 32, -1};
    for (int r = 0; r < 32; ++r)
      for (int c = 0; c < 32; ++c) {
        const bool inBox = c >= n.flags.left && c <= n.flags.right &&
                           r >= n.flags.top && r <= n.flags.bottom;
        const bool ink = glyphs.ink(n.index, c, r);
        if (!inBox) {
          EXPECT_EQ(ink, glyphs.ink(n.base, c, r)) << c << "," << r;
        } else {
          // A flag never erases the note it hangs on.
          if (glyphs.ink(n.base, c, r)) {
            EXPECT_TRUE(ink) << c << "," << r;
          }
          if (ink && !glyphs.ink(n.base, c, r)) {
            flagInk.left = std::min(flagInk.left, c);
            flagInk.right = std::max(flagInk.right, c);
            flagInk.top = std::min(flagInk.top, r);
            flagInk.bottom = std::max(flagInk.bottom, r);
          }
        }
      }
    EXPECT_EQ(flagInk.left, n.flags.left);
    EXPECT_EQ(flagInk.right, n.flags.right);
    EXPECT_EQ(flagInk.top, n.flags.top);
    EXPECT_EQ(flagInk.bottom, n.flags.bottom);
  }
  // Two flags are more ink than one.
  EXPECT_GT(inkCount(18), inkCount(16));
  EXPECT_GT(inkCount(19), inkCount(17));
}

TEST(GlyphArt, SolidShapesAreFilled) {
  // Whole rest, dot, ledger line and barline are plain filled rectangles.
  for (int i : {20, 24, 25, 30}) {
    SCOPED_TRACE(i);
    const Extent e = kInk[i];
    EXPECT_EQ(inkCount(i), (e.right - e.left + 1) * (e.bottom - e.top + 1));
  }
}

TEST(GlyphArt, ClefLandmarks) {
  const GlyphSet &glyphs = GlyphSet::instance();
  // The bass clef's dots stand free in columns 24..25, either side of the
  // F line (row 8).
  for (int r = 0; r < 32; ++r) {
    const bool dotRow = r == 4 || r == 5 || r == 11 || r == 12;
    EXPECT_EQ(glyphs.ink(33, 24, r), dotRow) << r;
    EXPECT_EQ(glyphs.ink(33, 25, r), dotRow) << r;
    EXPECT_FALSE(glyphs.ink(33, 23, r)) << r;
  }
  // The C clef is its own mirror image about its middle line.
  for (int r = 0; r < 16; ++r)
    EXPECT_EQ(glyphs.rows(34)[r], glyphs.rows(34)[31 - r]) << r;
  // The treble clef's curl circles the G line, the second from the bottom
  // (row 24 when the clef stands on the middle line): right of the stem it
  // is crossed just above and just below that line.
  for (int r = 16; r <= 30; ++r)
    EXPECT_EQ(glyphs.ink(32, 18, r), r == 20 || r == 28) << r;
}

TEST(GlyphStamp, InkLandsOnTheCellAroundTheAnchor) {
  for (int i = 0; i < GlyphSet::Count; ++i) {
    QImage image = whiteCanvas(90, 70);
    GlyphSet::instance().stamp(image, 41, 37, i);
    expectStampedAt(image, 41, 37, i);
  }
}

TEST(GlyphStamp, StampingLeavesOtherPixelsAsTheyWere) {
  // A glyph is a masked stamp: its transparent pixels do not whiten what
  // lies underneath.
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(qRgb(0, 0, 255));
  GlyphSet::instance().stamp(image, 20, 20, 10);
  EXPECT_EQ(image.pixel(20, 20), qRgb(0, 0, 255));  // inside the hollow head
  EXPECT_EQ(image.pixel(4 + 15, 4 + 12), qRgb(0, 0, 0));
}

TEST(GlyphStamp, ClipsAtEveryEdge) {
  const QPoint positions[] = {
      {0, 0},   {-10, -12}, {3, 40},   {79, 5},   {90, 69},
      {95, 75}, {-15, 30},  {40, -15}, {105, 30}, {40, 85},
  };
  for (int i : {28, 29, 30, 32, 14}) {
    for (const QPoint &p : positions) {
      SCOPED_TRACE(testing::Message()
                   << "glyph " << i << " at " << p.x() << "," << p.y());
      QImage image = whiteCanvas(90, 70);
      GlyphSet::instance().stamp(image, p.x(), p.y(), i);
      expectStampedAt(image, p.x(), p.y(), i);
    }
  }
}

TEST(GlyphStamp, WhollyOutsideOrUnknownDrawsNothing) {
  const GlyphSet &glyphs = GlyphSet::instance();
  QImage image = whiteCanvas(60, 50);
  // Cells that end just before the image or start just after it.
  glyphs.stamp(image, -16, 20, 28);
  glyphs.stamp(image, 20, -16, 30);
  glyphs.stamp(image, 60 + 16, 20, 28);
  glyphs.stamp(image, 20, 50 + 16, 30);
  glyphs.stamp(image, -1000, -1000, 32);
  EXPECT_TRUE(isBlankWhite(image));

  for (int index : {-1, 41, 1000}) {
    glyphs.stamp(image, 30, 25, index);
    EXPECT_TRUE(isBlankWhite(image)) << index;
    EXPECT_FALSE(glyphs.ink(index, 16, 16));
  }
}

TEST(GlyphStamp, WorksOnImagesOfOtherFormats) {
  QImage image(50, 40, QImage::Format_RGB888);
  image.fill(Qt::white);
  GlyphSet::instance().stamp(image, 45, 20, 32);
  expectStampedAt(image.convertToFormat(QImage::Format_RGB32), 45, 20, 32);
}

TEST(GlyphCursor, ShowsTheGlyphWithItsAnchorAsHotSpot) {
  for (int i = 0; i < GlyphSet::Count; ++i) {
    SCOPED_TRACE(i);
    const QCursor cursor = makeGlyphCursor(i);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(16, 16));
    EXPECT_TRUE(bitmapMatchesGlyph(cursor.bitmap(), i));
    // Outside the ink the mask is clear, so the screen shows through.
    EXPECT_TRUE(bitmapMatchesGlyph(cursor.mask(), i));
  }
  EXPECT_EQ(makeGlyphCursor(41).shape(), Qt::ArrowCursor);
  EXPECT_EQ(makeGlyphCursor(-1).shape(), Qt::ArrowCursor);
}

TEST(GlyphCursor, ResourceNamesIgnoreCase) {
  EXPECT_EQ(glyphCursorResource(QStringLiteral("NOTE0")), 0);
  EXPECT_EQ(glyphCursorResource(QStringLiteral("Note14")), 14);
  EXPECT_EQ(glyphCursorResource(QStringLiteral("note40")), 40);
  EXPECT_EQ(glyphCursorResource(QStringLiteral("nOtE7")), 7);
  for (const char *name : {"NOTE41", "NOTE-1", "NOTE014", "NOTE", "", "NOTE 1",
                           "NOTE1x", "XNOTE1", "CURSOR1"})
    EXPECT_EQ(glyphCursorResource(QString::fromLatin1(name)), -1) << name;
}

TEST(CursorTable, RegistersGlyphCursorUnderIndexPlusOne) {
  CursorTable table;
  EXPECT_FALSE(table.has(15));
  EXPECT_EQ(table.cursor(15).shape(), Qt::ArrowCursor);

  EXPECT_EQ(table.registerGlyphCursor(14), 15);
  EXPECT_TRUE(table.has(15));
  EXPECT_FALSE(table.has(14));
  EXPECT_EQ(table.cursor(15).hotSpot(), QPoint(16, 16));
  EXPECT_TRUE(bitmapMatchesGlyph(table.cursor(15).bitmap(), 14));

  EXPECT_EQ(table.registerGlyphCursor(0), 1);
  EXPECT_EQ(table.registerGlyphCursor(40), 41);
  EXPECT_TRUE(bitmapMatchesGlyph(table.cursor(1).bitmap(), 0));
  EXPECT_TRUE(bitmapMatchesGlyph(table.cursor(41).bitmap(), 40));
  EXPECT_FALSE(table.has(0));
}

TEST(CursorTable, LoadsAgainOnEveryCall) {
  CursorTable table;
  EXPECT_EQ(table.loadCount(), 0);
  // The right-click toggle between the two quarter notes.
  const int ids[] = {table.registerGlyphCursor(14),
                     table.registerGlyphCursor(15),
                     table.registerGlyphCursor(14)};
  EXPECT_EQ(ids[0], 15);
  EXPECT_EQ(ids[1], 16);
  EXPECT_EQ(ids[2], 15);
  EXPECT_EQ(table.loadCount(), 3);
  EXPECT_TRUE(bitmapMatchesGlyph(table.cursor(16).bitmap(), 15));
}

TEST(CursorTable, IndexWithoutCursorRegistersNothing) {
  CursorTable table;
  EXPECT_EQ(table.registerGlyphCursor(41), 0);
  EXPECT_EQ(table.registerGlyphCursor(-1), 0);
  EXPECT_EQ(table.loadCount(), 0);
  EXPECT_FALSE(table.has(42));
  EXPECT_FALSE(table.has(0));
}

TEST(ToolBarPictures, AreSmallBlackOnTransparent) {
  for (const char *name : {"play", "stop", "tostart"}) {
    SCOPED_TRACE(name);
    const QImage image =
        picture(QStringLiteral(":/pictures/%1.xpm").arg(QLatin1String(name)));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(16, 16));
    int black = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, y);
        EXPECT_TRUE(isBlack(p) || isTransparent(p)) << x << "," << y;
        black += isBlack(p);
      }
    EXPECT_GT(black, 20);
  }
}

TEST(GlyphArt, RectanglesCoverEachGlyphsInkExactlyOnce) {
  const GlyphSet &glyphs = GlyphSet::instance();
  qsizetype total = 0, totalRuns = 0;
  for (int index = 0; index < GlyphSet::Count; ++index) {
    SCOPED_TRACE(index);
    int covered[GlyphSet::Size][GlyphSet::Size] = {};
    int runs = 0;
    for (const std::uint32_t row : glyphs.rows(index))
      runs += std::popcount(row & ~(row >> 1));
    const QList<QRect> rectangles = glyphRectangles(glyphs.rows(index));
    for (const QRect &rect : rectangles) {
      ASSERT_TRUE(QRect(0, 0, GlyphSet::Size, GlyphSet::Size).contains(rect));
      for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) ++covered[y][x];
    }
    for (int y = 0; y < GlyphSet::Size; ++y)
      for (int x = 0; x < GlyphSet::Size; ++x)
        ASSERT_EQ(covered[y][x], glyphs.ink(index, x, y) ? 1 : 0)
            << x << "," << y;
    EXPECT_LE(rectangles.size(), runs);
    total += rectangles.size();
    totalRuns += runs;
  }
  // Carrying runs down is what keeps a drawn page small.
  EXPECT_LT(total * 2, totalRuns);
}
