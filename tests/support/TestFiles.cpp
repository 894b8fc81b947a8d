#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "files/core/Cp932.h"

ScratchDir::ScratchDir() = default;

QString ScratchDir::file(const QString &name) const {
  return dir_.filePath(name);
}

QString ScratchDir::write(const QString &name, const QByteArray &bytes) const {
  const QString path = file(name);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(bytes);
  return path;
}

QByteArray readBytes(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

QByteArray sjis(const QString &text) { return cp932::fromUnicode(text); }
