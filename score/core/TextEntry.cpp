#include "score/core/TextEntry.h"

#include <QHash>
#include <QList>
#include <QSet>

#include "base/core/Cp932.h"
#include "base/core/QuotedInput.h"

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

QList<UnheldRun> unheldRuns(const QString &typed) {
  bool ok = true;
  cp932::fromUnicode(typed, &ok);
  if (ok) return {};
  QList<UnheldRun> runs;
  QHash<char32_t, bool> fits;  // each character is converted once
  for (qsizetype i = 0; i < typed.size();) {
    const qsizetype width = typed[i].isHighSurrogate() &&
                                    i + 1 < typed.size() &&
                                    typed[i + 1].isLowSurrogate()
                                ? 2
                                : 1;
    const char32_t c = width == 2
                           ? QChar::surrogateToUcs4(typed[i], typed[i + 1])
                           : typed[i].unicode();
    auto known = fits.constFind(c);
    if (known == fits.cend()) {
      bool held = c == 0x2028 || c == 0x2029;
      if (!held) cp932::fromUnicode(typed.mid(i, width), &held);
      known = fits.insert(c, held);
    }
    if (!*known) {
      if (!runs.isEmpty() && runs.last().start + runs.last().length == i)
        runs.last().length += width;
      else
        runs.append({i, width});
    }
    i += width;
  }
  return runs;
}

QString withoutUnheld(const QString &typed, QString *unheld) {
  const QList<UnheldRun> runs = unheldRuns(typed);
  if (unheld) unheld->clear();
  if (runs.isEmpty()) return typed;
  QString kept;
  QSet<char32_t> named;
  qsizetype from = 0;
  for (const UnheldRun &run : runs) {
    kept += QStringView(typed).sliced(from, run.start - from);
    from = run.start + run.length;
    if (!unheld) continue;
    for (char32_t c : QStringView(typed).sliced(run.start, run.length).toUcs4())
      if (!named.contains(c)) {
        named.insert(c);
        *unheld += QString::fromUcs4(&c, 1);
      }
  }
  kept += QStringView(typed).sliced(from);
  return kept;
}

QString unheldMessage(const QString &unheld) {
  return QStringLiteral("「%1」はシフトJISにない文字なので使えません。")
      .arg(quoted_input::head(unheld));
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

QByteArray shownHead(const QByteArray &pageText, qsizetype limit) {
  if (pageText.size() <= limit) return pageText;
  const qsizetype lineEnd = pageText.lastIndexOf('\n', limit - 1);
  if (lineEnd >= 0) return pageText.left(lineEnd + 1);
  // One long line: cut before the character that would not fit whole.
  qsizetype end = 0;
  while (true) {
    const qsizetype next =
        end + (cp932::isLeadByte(uchar(pageText[end])) ? 2 : 1);
    if (next > limit) break;
    end = next;
  }
  return pageText.left(end);
}

}  // namespace text_entry
