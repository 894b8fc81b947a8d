#pragma once

#include <QString>

// "元に戻す: 削除": what an undo or redo item would take back or do again.
inline QString historyCaption(const QString &verb, const QString &step,
                              bool available) {
  if (!available || step.isEmpty()) return verb;
  return QStringLiteral("%1: %2").arg(verb, step);
}
