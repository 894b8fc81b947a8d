#include <gtest/gtest.h>

#include "base/core/Cp932.h"
#include "score/core/Decimal.h"

TEST(Decimal, ReadsSignedNumbersAndRefusesEverythingElse) {
  EXPECT_EQ(parseDecimal("0"), 0);
  EXPECT_EQ(parseDecimal("-64"), -64);
  EXPECT_EQ(parseDecimal("+7"), 7);
  EXPECT_EQ(parseDecimal(" 12"), 12);
  EXPECT_EQ(parseDecimal("2147483647"), 2147483647);
  EXPECT_EQ(parseDecimal("-2147483648"), -2147483647 - 1);
  EXPECT_FALSE(parseDecimal("2147483648"));
  EXPECT_FALSE(parseDecimal("99999999999999999999"));
  EXPECT_FALSE(parseDecimal(""));
  EXPECT_FALSE(parseDecimal("-"));
  EXPECT_FALSE(parseDecimal("12 "));
  EXPECT_FALSE(parseDecimal("1a"));
  EXPECT_FALSE(parseDecimal("x"));
}

TEST(Decimal, GlyphIndexReadsOnlyTwoCharactersAfterTheBackquote) {
  EXPECT_EQ(parseGlyphIndex("`7"), 7);
  EXPECT_EQ(parseGlyphIndex("`40"), 40);
  EXPECT_EQ(parseGlyphIndex("`123"), 12);
  EXPECT_FALSE(parseGlyphIndex("`"));
  EXPECT_FALSE(parseGlyphIndex("`a1"));
}

TEST(Cp932, RoundTripsJapaneseAndReportsWhatItCannotHold) {
  bool ok = false;
  const QByteArray po = cp932::fromUnicode(QStringLiteral("ポ"), &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(po, QByteArray("\x83\x7C"));
  EXPECT_EQ(cp932::toUnicode(po, &ok), QStringLiteral("ポ"));
  EXPECT_TRUE(ok);
  // NEC and IBM extensions decode as on Windows.
  EXPECT_EQ(cp932::toUnicode("\x87\x40"), QStringLiteral("①"));
  EXPECT_EQ(cp932::toUnicode("\xFA\x40"), QStringLiteral("ⅰ"));
  cp932::fromUnicode(QStringLiteral("a😀b"), &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(cp932::fromUnicode(QStringLiteral("a😀b")), QByteArray("a?b"));
  cp932::toUnicode("\x81", &ok);  // a lead byte with no trail byte
  EXPECT_FALSE(ok);
  EXPECT_EQ(cp932::toUnicode(QByteArray("a\0b", 3)).size(), 3);
}
