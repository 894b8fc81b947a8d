#include "files/core/RecentFiles.h"

#include <QStringList>

namespace {
bool inRange(int n) { return n >= 1 && n <= RecentFiles::Count; }
}  // namespace

QString RecentFiles::entry(int n) const {
  return inRange(n) ? entries_[n - 1] : QString();
}

void RecentFiles::setEntry(int n, const QString &path) {
  if (inRange(n)) entries_[n - 1] = path;
}

void RecentFiles::add(const QString &path) {
  QStringList kept;
  if (!path.isEmpty()) kept.append(path);
  for (const QString &old : entries_) {
    if (!old.isEmpty() && old != path) kept.append(old);
  }
  for (int i = 0; i < Count; ++i) {
    entries_[i] = i < kept.size() ? kept[i] : QString();
  }
}

QString RecentFiles::caption(int n) const {
  const QString path = entry(n);
  return path.mid(path.lastIndexOf('/') + 1);
}
