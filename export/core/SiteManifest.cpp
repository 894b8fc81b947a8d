#include "export/core/SiteManifest.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

#include "base/core/WholeFile.h"

namespace site_manifest {
namespace {

// The first line says whose list it is: a file that happens to have the
// name is not taken for one.
constexpr char Header[] = "# Varnel site export: files written here";

bool plainName(const QString &name) {
  return !name.isEmpty() && name != QLatin1String(".") &&
         name != QLatin1String("..") && !name.contains(QLatin1Char('/')) &&
         !name.contains(QChar(0)) && name != QLatin1String(FileName);
}

QString listPath(const QString &folder) {
  return QDir(folder).filePath(QLatin1String(FileName));
}

QStringList entries(const QString &folder) {
  return QDir(folder).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
      QDir::Name);
}

bool stampOf(const QString &path, Snapshot::Stamp &stamp) {
  struct stat info {};
  if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return false;
  stamp = {quint64(info.st_ino), qint64(info.st_mtim.tv_sec),
           qint64(info.st_mtim.tv_nsec), qint64(info.st_size)};
  return true;
}

// The names, or nothing when the folder holds no list of ours.
std::optional<QStringList> readList(const QString &folder) {
  QFile file(listPath(folder));
  // Never more than a site's worth of names.
  if (QFileInfo(file.fileName()).size() > 4 * 1024 * 1024 ||
      !file.open(QIODevice::ReadOnly))
    return std::nullopt;
  const QList<QByteArray> lines = file.readAll().split('\n');
  if (lines.first() != Header) return std::nullopt;
  QStringList names;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QString name = QString::fromUtf8(lines[i]);
    if (plainName(name) && !names.contains(name)) names.append(name);
  }
  return names;
}

}  // namespace

QStringList read(const QString &folder) {
  return readList(folder).value_or(QStringList());
}

bool write(const QString &folder, const QStringList &names, QString *error) {
  const QString path = listPath(folder);
  // The list is the site's own file: a link in its place is replaced.
  if (QFileInfo(path).isSymLink()) QFile::remove(path);
  if (names.isEmpty()) {
    if (!QFileInfo::exists(path) || QFile::remove(path)) return true;
    *error = QStringLiteral("「%1」を消せません。").arg(path);
    return false;
  }
  QStringList sorted = names;
  std::sort(sorted.begin(), sorted.end());
  QByteArray bytes = QByteArray(Header) + '\n';
  for (const QString &name : sorted)
    if (plainName(name)) bytes += name.toUtf8() + '\n';
  return whole_file::write(path, bytes, whole_file::InPlace::Never, error);
}

QStringList foreign(const QString &folder) {
  const std::optional<QStringList> list = readList(folder);
  // A file of the list's name that is no list is the user's own.
  QStringList listed = list.value_or(QStringList());
  if (list) listed.append(QLatin1String(FileName));
  QStringList out;
  for (const QString &name : entries(folder))
    if (!listed.contains(name)) out.append(name);
  return out;
}

void remove(const QString &folder, const QStringList &names) {
  const QDir dir(folder);
  for (const QString &name : names) {
    const QString path = dir.filePath(name);
    const QFileInfo info(path);
    if (!plainName(name) || (info.isDir() && !info.isSymLink())) continue;
    ::unlink(QFile::encodeName(path).constData());
  }
}

Snapshot::Snapshot(const QString &folder) : folder_(folder) {
  const QDir dir(folder);
  for (const QString &name : entries(folder)) {
    Stamp stamp;
    if (stampOf(dir.filePath(name), stamp)) stamps_.insert(name, stamp);
  }
}

QStringList Snapshot::changed() const {
  const QDir dir(folder_);
  QStringList out;
  for (const QString &name : entries(folder_)) {
    Stamp now;
    if (name == QLatin1String(FileName) || !stampOf(dir.filePath(name), now))
      continue;
    const auto before = stamps_.constFind(name);
    if (before == stamps_.cend() || !(*before == now)) out.append(name);
  }
  return out;
}

}  // namespace site_manifest
