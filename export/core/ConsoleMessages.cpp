#include "export/core/ConsoleMessages.h"

#include <cstdio>

Messages::Answer ConsoleMessages::show(const QString &text, Icon icon,
                                       Buttons buttons) {
  QString line = text;
  line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  std::fprintf(stderr, "%s\n", line.toUtf8().constData());
  if (icon == Icon::Error || icon == Icon::Stop) failed_ = true;
  if (buttons == Buttons::Ok) return Answer::Ok;
  return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}
