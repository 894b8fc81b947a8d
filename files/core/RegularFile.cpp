#include "files/core/RegularFile.h"

#include <QFileInfo>

namespace regular_file {

bool isRegular(const QString &path) { return QFileInfo(path).isFile(); }

QString notFoundMessage(const QString &path) {
  const QFileInfo info(path);
  // "folder/" has no file name of its own.
  const QString name = info.fileName().isEmpty() ? path : info.fileName();
  if (info.exists())
    return QStringLiteral("「%1」はファイルではありません。").arg(name);
  return QStringLiteral("ファイル「%1」が見つかりません。").arg(name);
}

}  // namespace regular_file
