#include <gtest/gtest.h>

#include "score/core/TextEntry.h"
#include "support/TestFiles.h"

using text_entry::inputTextFromTyped;
using text_entry::pageTextFromTyped;
using text_entry::unheldCharacters;

TEST(TextEntry, InputTextsGetFullWidthSeparatorsAndBackquotes) {
  EXPECT_EQ(inputTextFromTyped(QStringLiteral("a|b|")),
            sjis(QStringLiteral("a｜b｜")));
  EXPECT_EQ(inputTextFromTyped(QStringLiteral("`1`")),
            sjis(QStringLiteral("｀1`")));
  EXPECT_EQ(inputTextFromTyped(QStringLiteral(" `1")), QByteArray(" `1"));
  // A text that already looks right stays byte for byte.
  EXPECT_EQ(inputTextFromTyped(QStringLiteral("ソ ポ 表 ～ －")),
            sjis(QStringLiteral("ソ ポ 表 ～ －")));
  // Breaks and the end-of-file mark would cut the page file's lines.
  EXPECT_EQ(inputTextFromTyped(QStringLiteral("a\tb\r\nc\x1A")),
            QByteArray("a b  c "));
}

TEST(TextEntry, PageTextsKeepLinesAndTabs) {
  EXPECT_EQ(pageTextFromTyped(QStringLiteral("one|two\nthree")),
            sjis(QStringLiteral("one｜two\r\nthree")));
  EXPECT_EQ(pageTextFromTyped(QStringLiteral("a\r\nb\rc\n\nd\u2029e")),
            QByteArray("a\r\nb\r\nc\r\n\r\nd\r\ne"));
  EXPECT_EQ(pageTextFromTyped(QStringLiteral("`x\ty\x1A")),
            QByteArray("`x\ty "));
  EXPECT_TRUE(pageTextFromTyped(QString()).isEmpty());
}

TEST(TextEntry, UnheldCharactersAreNamedOnceInOrder) {
  EXPECT_TRUE(unheldCharacters(QStringLiteral("ドレミ abc ①")).isEmpty());
  EXPECT_EQ(unheldCharacters(QStringLiteral("😀a€😀é€")), QStringLiteral("😀€é"));
  QString unheld;
  const QByteArray bytes = pageTextFromTyped(QStringLiteral("x😀\ny"), &unheld);
  EXPECT_EQ(unheld, QStringLiteral("😀"));
  EXPECT_EQ(bytes, QByteArray("x?\r\ny"));  // marked, never dropped
  inputTextFromTyped(QStringLiteral("ok"), &unheld);
  EXPECT_TRUE(unheld.isEmpty());
  EXPECT_TRUE(text_entry::unheldMessage(QStringLiteral("😀"))
                  .contains(QStringLiteral("「😀」")));
}

TEST(TextEntry, ALongPageTextIsShownUpToALineEndOrAWholeCharacter) {
  using text_entry::shownHead;
  const QByteArray ka = sjis(QStringLiteral("か"));
  const std::tuple<QByteArray, qsizetype, QByteArray> cases[] = {
      {"short", 10, "short"},
      {"one\r\ntwo\r\nthree", 12, "one\r\ntwo\r\n"},
      {"one\r\ntwo\r\n", 10, "one\r\ntwo\r\n"},
      {"abc" + ka + ka, 6, "abc" + ka},  // never half a character
      {"abc" + ka + ka, 7, "abc" + ka + ka},
      {ka + "\r\n" + ka, 5, ka + "\r\n"},
  };
  for (const auto &[text, limit, shown] : cases)
    EXPECT_EQ(shownHead(text, limit), shown) << text.toStdString();
}
