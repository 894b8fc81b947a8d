#include "files/core/CourseContents.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "base/core/BoundedRead.h"
#include "base/core/Cp932.h"
#include "base/core/FileErrors.h"
#include "files/core/ContentsFile.h"

void CourseContents::switchTo(const QString &path) {
  PreviousContentsPath = ContentsPath;
  ContentsPath = path;
}

void CourseContents::switchBack() { ContentsPath = PreviousContentsPath; }

bool CourseContents::read(QString *error, QString *unheld) {
  QFile file(ContentsPath);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly)) {
    *error = file_errors::cannotRead(ContentsPath, errno);
    return false;
  }
  QByteArray raw = bounded_read::upTo(file, MaxContentsBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    *error = file_errors::cannotRead(ContentsPath, 0);
    return false;
  }
  // Beyond the bound the last whole line ends what is read.
  const bool cut = raw.size() > MaxContentsBytes;
  if (cut) {
    raw.truncate(MaxContentsBytes);
    const qsizetype end =
        std::max(raw.lastIndexOf('\n'), raw.lastIndexOf('\r'));
    raw.truncate(end + 1);
  }
  QByteArray bytes = contentsAsCp932(raw, unheld);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  const ContentsData data = parseContents(buffer);
  ContentsEntries = data.entries;
  ContentsNote = data.note;
  ContentsTitle = data.title;
  UnreadFrom = data.unreadFrom ? data.unreadFrom : cut ? data.lines + 1 : 0;
  ContentsFolder = QFileInfo(ContentsPath).absolutePath() + QLatin1Char('/');
  return true;
}

int CourseContents::firstEntry(int remembered) const {
  if (ContentsEntries.isEmpty()) return -1;
  return remembered >= 0 && remembered < ContentsEntries.size() ? remembered
                                                                : 0;
}

QString CourseContents::pagePath(int index) const {
  const QByteArray entry = index >= 0 && index < ContentsEntries.size()
                               ? ContentsEntries.at(index)
                               : QByteArray();
  return entryPagePath(ContentsFolder, entry);
}

std::optional<int> CourseContents::previous(int selected) const {
  if (selected == 0) return std::nullopt;
  return selected > 0 ? selected - 1 : -1;
}

std::optional<int> CourseContents::next(int selected) const {
  if (selected == ContentsEntries.size() - 1) return std::nullopt;
  return selected + 1;
}

QString CourseContents::caption() const {
  return ContentsTitle.isEmpty() ? QFileInfo(ContentsPath).fileName()
                                 : cp932::toUnicode(ContentsTitle);
}

QString CourseContents::rememberKey(const QString &contentsPath) {
  return QFileInfo(contentsPath).fileName();
}
