#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/core/Cp932.h"
#include "files/core/LineReader.h"
#include "score/core/InputList.h"

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

namespace {

QList<QByteArray> column(const InputList &inputs,
                         QByteArrayView (InputList::*field)(int) const) {
  QList<QByteArray> out;
  for (int i = 0; i < inputs.count(); ++i)
    out << (inputs.*field)(i).toByteArray();
  return out;
}

}  // namespace

QList<QByteArray> contentsOf(const InputList &inputs) {
  return column(inputs, &InputList::content);
}

QList<QByteArray> xsOf(const InputList &inputs) {
  return column(inputs, &InputList::x);
}

QList<QByteArray> ysOf(const InputList &inputs) {
  return column(inputs, &InputList::y);
}

QByteArray lessonPage() {
  return "Fum[lesson]\r\n~Hello|World\r\n"
         "^1|4|610|`32|40|70|Allegro|100|20|\r\nEnd[lesson]\r\n";
}

QByteArray quarterNotesPage(const QByteArray &name, int inputs) {
  QByteArray data = "^1|4|610|";
  for (int i = 0; i < inputs; ++i)
    data += "`14|" + QByteArray::number(40 + 20 * i) + "|48|";
  return "Fum[" + name + "]\r\n" + data + "\r\nEnd[" + name + "]\r\n";
}
