#include "base/core/Report.h"

#include "base/core/QuotedInput.h"

Report Report::stop(const QString &text) {
  if (text.endsWith(QChar(0x3002)) || text.endsWith(QLatin1Char('.')))
    return {Kind::Stop, text};
  return {Kind::Stop, text + QLatin1Char('.')};
}

Report Report::notAnInteger(const QString &text) {
  return stop(QStringLiteral("'%1' は整数ではありません")
                  .arg(quoted_input::head(text)));
}

QString Report::line() const {
  QString one = text;
  return one.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
}

bool anyFailure(const Reports &reports) {
  for (const Report &report : reports)
    if (report.isFailure()) return true;
  return false;
}
