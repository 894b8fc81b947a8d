#include "base/core/FileErrors.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace file_errors {

namespace {

QString knownCause(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
      return QStringLiteral("ファイルまたはフォルダーがありません");
    case EACCES:
    case EPERM:
      return QStringLiteral("アクセスが許可されていません");
    case EROFS:
      return QStringLiteral("読み取り専用の場所です");
    case ENOSPC:
    case EDQUOT:
      return QStringLiteral("ディスクの空きが足りません");
    case EFBIG:
      return QStringLiteral("ファイルが大きすぎます");
    case EISDIR:
      return QStringLiteral("フォルダーです");
    case ENOTDIR:
      return QStringLiteral("途中の名前がフォルダーではありません");
    case ENAMETOOLONG:
      return QStringLiteral("名前が長すぎます");
    case EIO:
      return QStringLiteral("装置の入出力エラーです");
    case ENXIO:
      return QStringLiteral("読み出すプログラムがありません");
    default:
      return QString();
  }
}

QString fileName(const QString &path) {
  const QString name = QFileInfo(path).fileName();
  return name.isEmpty() ? path : name;
}

}  // namespace

QString readReason(const QString &path, int errorNumber) {
  const QString known = knownCause(errorNumber);
  if (!known.isEmpty()) return known;
  const QFileInfo info(path);
  if (!info.exists()) return QStringLiteral("ファイルがありません");
  if (info.isDir()) return QStringLiteral("フォルダーです");
  if (!info.isReadable()) return QStringLiteral("読み取りが許可されていません");
  return QStringLiteral("読み取り中にエラーが起きました");
}

QString writeReason(const QString &path, int errorNumber) {
  const QString known = knownCause(errorNumber);
  if (!known.isEmpty()) return known;
  const QFileInfo info(path);
  const QFileInfo folder(info.absolutePath());
  if (!folder.isDir()) return QStringLiteral("保存先のフォルダーがありません");
  if (info.isDir()) return QStringLiteral("フォルダーです");
  struct stat kind {};
  if (::stat(QFile::encodeName(path).constData(), &kind) == 0) {
    if (S_ISBLK(kind.st_mode)) return QStringLiteral("ディスク装置です");
    if (S_ISSOCK(kind.st_mode)) return QStringLiteral("ソケットです");
  }
  if (info.exists() && !info.isWritable())
    return QStringLiteral("書き込みが許可されていません");
  if (!info.exists() && !folder.isWritable())
    return QStringLiteral("フォルダーへの書き込みが許可されていません");
  return QStringLiteral("書き込み中にエラーが起きました");
}

QString cannotRead(const QString &path, int errorNumber) {
  return QStringLiteral("「%1」を読めません（%2）")
      .arg(fileName(path), readReason(path, errorNumber));
}

QString cannotWrite(const QString &path, int errorNumber) {
  return QStringLiteral("「%1」に書き込めません（%2）")
      .arg(fileName(path), writeReason(path, errorNumber));
}

QString notFound(const QString &path) {
  // A folder, a FIFO or a device is there, but is not what was asked for.
  if (QFileInfo::exists(path))
    return QStringLiteral("%1: ファイルではありません。").arg(path);
  return QStringLiteral("%1: ファイルが見つかりません。").arg(path);
}

}  // namespace file_errors
