#include <gtest/gtest.h>

#include <functional>

#include "score/core/TextEntry.h"
#include "support/ScriptedMessages.h"

// Messages that quote outside input quote its head, with one stop.

TEST(QuotedMessages, MessagesQuoteAShortHeadAndEndWithOneStop) {
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
