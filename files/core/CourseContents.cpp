#include "files/core/CourseContents.h"

#include <QFile>
#include <QFileInfo>

#include "files/core/ContentsFile.h"
#include "files/core/Cp932.h"

void CourseContents::switchTo(const QString &path) {
  PreviousContentsPath = ContentsPath;
  ContentsPath = path;
}

void CourseContents::switchBack() { ContentsPath = PreviousContentsPath; }

bool CourseContents::read(QString *error) {
  QFile file(ContentsPath);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = file.errorString();
    return false;
  }
  const ContentsData data = parseContents(file);
  if (data.failed) {
    *error = file.errorString();
    return false;
  }
  ContentsEntries = data.entries;
  ContentsNote = data.note;
  ContentsTitle = data.title;
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
