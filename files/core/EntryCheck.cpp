#include "files/core/EntryCheck.h"

#include <QDir>
#include <QFileInfo>

#include "base/core/Cp932.h"
#include "files/core/ContentsFile.h"
#include "files/core/RegularFile.h"

namespace entry_check {
namespace {

// Whether a "/"-separated path relative to a folder stays inside it,
// judged by the names alone ("a/../b" stays, "../b" and "/b" leave).
bool staysInside(const QString &relative) {
  if (relative.startsWith('/')) return false;
  int depth = 0;
  for (const QString &part : relative.split('/')) {
    if (part == QLatin1String("..")) {
      if (--depth < 0) return false;
    } else if (!part.isEmpty() && part != QLatin1String(".")) {
      ++depth;
    }
  }
  return true;
}

}  // namespace

Problem problemOf(const QString &contentsFolder, const QByteArray &entry) {
  bool held = true;
  // Decoded before "\" is replaced: a trail byte may be 0x5C.
  QString name = cp932::toUnicode(entryName(entry), &held);
  if (!held) return Problem::NotCp932;
  name.replace('\\', '/');
  if (!staysInside(name)) return Problem::OutsideFolder;
  if (!regular_file::isRegular(entryPagePath(contentsFolder, entry)))
    return Problem::Missing;
  return Problem::None;
}

QString reason(Problem problem) {
  switch (problem) {
    case Problem::None:
      return {};
    case Problem::NotCp932:
      return QStringLiteral("名前にシフトJISにない文字があります。");
    case Problem::OutsideFolder:
      return QStringLiteral("目次ファイルのフォルダの外を指しています。");
    case Problem::Missing:
      return QStringLiteral(
          "Vrnファイルに記述されたファイルが見つかりません。");
  }
  return {};
}

QByteArray entryForPage(const QString &contentsFolder, const QString &pagePath,
                        QString *error) {
  QString relative =
      QDir(contentsFolder)
          .relativeFilePath(QFileInfo(pagePath).absoluteFilePath());
  if (!staysInside(relative)) {
    *error = QStringLiteral(
                 "「%1」は目次ファイルのフォルダ（%2）の外にあるため、"
                 "目次に入れられません。ページを目次ファイルと同じフォルダか"
                 "その下に置いてください。")
                 .arg(QFileInfo(pagePath).fileName(),
                      QDir::toNativeSeparators(contentsFolder));
    return {};
  }
  // The reader adds ".fum" to every entry: no other file can be named.
  if (!relative.endsWith(QLatin1String(".fum"), Qt::CaseInsensitive)) {
    *error = QStringLiteral(
                 "「%1」は譜面ファイル（.fum）ではないため、"
                 "目次に入れられません。")
                 .arg(QFileInfo(pagePath).fileName());
    return {};
  }
  relative.chop(4);
  relative.replace('/', '\\');
  bool held = true;
  const QByteArray entry = cp932::fromUnicode(relative, &held);
  if (!held) {
    *error = QStringLiteral(
                 "「%1」の名前にはシフトJISにない文字があるため、"
                 "目次に入れられません。")
                 .arg(relative);
    return {};
  }
  error->clear();
  return entry;
}

}  // namespace entry_check
