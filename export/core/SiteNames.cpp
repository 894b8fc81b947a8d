#include "export/core/SiteNames.h"

#include <algorithm>

namespace site_names {
namespace {

// Long enough to recognise the page, short enough for any file system.
constexpr int MaxNameLetters = 40;

}  // namespace

QString pageStem(int number, const QString &pageName) {
  QString stem = QStringLiteral("p%1").arg(number, 3, 10, QLatin1Char('0'));
  QString letters;
  bool gap = false;
  for (const QChar c : pageName) {
    const char16_t u = c.unicode();
    const bool keep = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                      (u >= '0' && u <= '9');
    if (!keep) {
      gap = true;
      continue;
    }
    if (letters.size() >= MaxNameLetters) break;
    if (gap && !letters.isEmpty()) letters += QLatin1Char('-');
    gap = false;
    letters += QChar(u).toLower();
  }
  if (letters.endsWith(QLatin1Char('-'))) letters.chop(1);
  if (!letters.isEmpty()) stem += QLatin1Char('-') + letters;
  return stem;
}

QString shownTitle(const QString &entryName) {
  const qsizetype cut = std::max(entryName.lastIndexOf(QLatin1Char('\\')),
                                 entryName.lastIndexOf(QLatin1Char('/')));
  const QString name = entryName.mid(cut + 1);
  // An entry that is all folder keeps its whole name rather than none.
  return name.trimmed().isEmpty() ? entryName : name;
}

}  // namespace site_names
