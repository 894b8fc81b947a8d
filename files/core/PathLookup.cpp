#include "files/core/PathLookup.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace {

// The entry of `folder` that matches `name` without regard to case and is
// a folder (or a file), first in name order so the choice never depends on
// the order the file system lists entries in.
QString matchIgnoringCase(const QString &folder, const QString &name,
                          bool wantFolder) {
  QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
  QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden |
                                    QDir::System | QDir::NoDotAndDotDot);
  std::sort(names.begin(), names.end());
  for (const QString &candidate : std::as_const(names)) {
    if (candidate.compare(name, Qt::CaseInsensitive) != 0) continue;
    const QFileInfo info(dir.filePath(candidate));
    if (wantFolder ? info.isDir() : info.isFile()) return candidate;
  }
  return {};
}

QString joined(const QString &folder, const QString &name) {
  if (folder.isEmpty()) return name;
  if (folder.endsWith('/')) return folder + name;
  return folder + '/' + name;
}

}  // namespace

QString findFileIgnoringCase(const QString &path) {
  if (path.isEmpty()) return {};
  if (QFileInfo(path).isFile()) return path;
  const QStringList parts = path.split('/');
  // An absolute path starts with an empty part: the walk starts at "/".
  QString found = path.startsWith('/') ? QStringLiteral("/") : QString();
  for (qsizetype i = path.startsWith('/') ? 1 : 0; i < parts.size(); ++i) {
    const QString &part = parts[i];
    const bool last = i == parts.size() - 1;
    if (part.isEmpty() || part == "." || part == "..") {
      // Empty: a doubled or trailing "/"; the file system resolves the rest.
      if (last) return {};
      if (!part.isEmpty()) found = joined(found, part);
      continue;
    }
    const QFileInfo exact(joined(found, part));
    if (last ? exact.isFile() : exact.isDir()) {
      found = joined(found, part);
      continue;
    }
    const QString match = matchIgnoringCase(found, part, !last);
    if (match.isEmpty()) return {};
    found = joined(found, match);
  }
  return found;
}

QString expandLongPath(const QString &path) {
  if (path.isEmpty()) return {};
  const QFileInfo info(path);
  if (!info.isFile()) return {};
  // Not QFileInfo::absoluteFilePath(): it drops "x/.." even where x is a
  // symbolic link, and the result may then name another file or none.
  const QString absolute =
      info.isAbsolute() ? path : joined(QDir::currentPath(), path);
  const QString cleaned = QDir::cleanPath(absolute);
  if (QFileInfo(cleaned).canonicalFilePath() == info.canonicalFilePath()) {
    return cleaned;
  }
  return absolute;
}

QString findSibling(const QString &path, const QString &newExtension) {
  const qsizetype nameStart = path.lastIndexOf('/') + 1;
  const qsizetype dot = path.lastIndexOf('.');
  const QString base = dot >= nameStart ? path.left(dot) : path;
  return findFileIgnoringCase(base + newExtension);
}
