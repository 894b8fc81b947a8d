#include "score/core/TextEntry.h"

#include <QList>
#include <QSet>

#include "base/core/Cp932.h"

namespace text_entry {
namespace {

const QChar FullWidthBar(0xFF5C);        // "｜"
const QChar FullWidthBackquote(0xFF40);  // "｀"

bool isControl(char32_t c) { return c < 0x20 || c == 0x7F; }

QByteArray encode(const QString &text, QString *unheld) {
  bool ok = true;
  QByteArray bytes = cp932::fromUnicode(text, &ok);
  if (unheld) *unheld = ok ? QString() : unheldCharacters(text);
  return bytes;
}

}  // namespace

QString unheldCharacters(const QString &typed) {
  bool ok = true;
  cp932::fromUnicode(typed, &ok);
  if (ok) return QString();
  // Each character is tried once: a long text of few characters (or of
  // many) costs one pass.
  QList<char32_t> found;
  QSet<char32_t> tried;
  for (char32_t c : typed.toUcs4()) {
    if (tried.contains(c)) continue;
    tried.insert(c);
    const QString one = QString::fromUcs4(&c, 1);
    cp932::fromUnicode(one, &ok);
    if (!ok) found.append(c);
  }
  return QString::fromUcs4(found.constData(), found.size());
}

QString unheldMessage(const QString &unheld) {
  return QStringLiteral("「%1」はシフトJISにない文字なので使えません。")
      .arg(unheld);
}

QByteArray inputTextFromTyped(const QString &typed, QString *unheld) {
  QString text = typed;
  for (QChar &c : text) {
    if (c == QLatin1Char('|'))
      c = FullWidthBar;
    else if (isControl(c.unicode()))
      c = QLatin1Char(' ');
  }
  if (text.startsWith(QLatin1Char('`'))) text[0] = FullWidthBackquote;
  return encode(text, unheld);
}

QByteArray pageTextFromTyped(const QString &typed, QString *unheld) {
  QString text = typed;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QString lines;
  lines.reserve(text.size() + text.size() / 16);
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u == '\n' || u == '\r' || u == 0x2028 || u == 0x2029)
      lines += QStringLiteral("\r\n");
    else if (u == '|')
      lines += FullWidthBar;
    else if (u != '\t' && isControl(u))
      lines += QLatin1Char(' ');
    else
      lines += c;
  }
  return encode(lines, unheld);
}

}  // namespace text_entry
