#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/core/Cp932.h"
#include "files/core/LineReader.h"

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

QList<QByteArray> linesOf(QByteArray bytes) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  LineReader reader(buffer);
  QList<QByteArray> lines;
  QByteArray line;
  while (reader.next(line)) lines << line;
  return lines;
}

QByteArray sjis(const QString &text) { return cp932::fromUnicode(text); }
