#include <gtest/gtest.h>

#include <functional>

#include "score/core/TextEntry.h"
#include "support/DocumentSession.h"
#include "support/TestFiles.h"

// What outside input leaves in the page text and in the messages that
// quote it.

TEST(OutsideInput, MessagesQuoteAShortHeadAndEndWithOneStop) {
  const QString many = QString(300, QChar(0x20AC)) + QStringLiteral("♩");
  const struct Case {
    const char *name;
    std::function<void(Messages &)> show;
    QString expected;
  } cases[] = {
      {"general error", [](Messages &m) { m.generalError("書けません"); },
       QStringLiteral("書けません.")},
      {"general error with its stop",
       [](Messages &m) { m.generalError("整数ではありません。"); },
       QStringLiteral("整数ではありません。")},
      {"short number", [](Messages &m) { m.notAnInteger("1x"); },
       QStringLiteral("'1x' は整数ではありません.")},
      {"long number",
       [](Messages &m) { m.notAnInteger(QString(1 << 20, QLatin1Char('9'))); },
       QStringLiteral("'%1…' は整数ではありません.").arg(QString(60, '9'))},
      {"a pair cut in two",
       [](Messages &m) {
         m.notAnInteger(QString(59, QLatin1Char('a')) + QStringLiteral("😀"));
       },
       QStringLiteral("'%1…' は整数ではありません.").arg(QString(59, 'a'))},
      {"many unheld characters",
       [&](Messages &m) { m.error(text_entry::unheldMessage(many)); },
       text_entry::unheldMessage(many.left(60) + QStringLiteral("…"))},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedMessages messages;
    c.show(messages);
    EXPECT_EQ(messages.texts(), QStringList{c.expected});
  }
}

TEST(OutsideInput, TypedCharactersThePageCannotHoldAreLeftOut) {
  DocumentSession session;
  const struct Case {
    QString typed;
    QByteArray stored;
    QString named;
  } cases[] = {
      {QStringLiteral("a€b"), "ab", QStringLiteral("€")},
      {QStringLiteral("♩♩x😀\n€"), "x\r\n", QStringLiteral("♩😀€")},
      {QStringLiteral("ド\u2028b"), sjis(QStringLiteral("ド\r\nb")), {}},
      {QStringLiteral("a€b"), "ab", QStringLiteral("€")},  // named again
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    EXPECT_EQ(session.doc.typePageText(c.typed), c.named);
    EXPECT_EQ(session.doc.page().PageText, c.stored);
  }
}
