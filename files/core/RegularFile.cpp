#include "files/core/RegularFile.h"

#include <QFileInfo>

namespace regular_file {

bool isRegular(const QString &path) { return QFileInfo(path).isFile(); }

QString notFoundMessage(const QString &path) {
  return QStringLiteral("ファイル「%1」が見つかりません。")
      .arg(QFileInfo(path).fileName());
}

}  // namespace regular_file
