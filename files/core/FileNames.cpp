#include "files/core/FileNames.h"

#include <QFileInfo>

#include "base/core/Cp932.h"

namespace file_names {
namespace {

QString withBmp(const QString &name) {
  const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return (dot > slash ? name.left(dot) : name) + QStringLiteral(".bmp");
}

}  // namespace

QString lowerExtension(const QString &path) {
  const QString name = QFileInfo(path).fileName();
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : name.mid(dot).toLower();
}

QString bitmapPreset(const QString &pagePath, const QByteArray &internalName) {
  if (!pagePath.isEmpty()) return withBmp(pagePath);
  if (!internalName.isEmpty()) return withBmp(cp932::toUnicode(internalName));
  return {};
}

}  // namespace file_names
