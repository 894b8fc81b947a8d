#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

// A scratch folder for one test, removed when the test ends.
class ScratchDir {
 public:
  ScratchDir();
  QString path() const { return dir_.path(); }
  // Full path of a file inside the folder.
  QString file(const QString &name) const;
  // Writes bytes to a file inside the folder and returns its path.
  QString write(const QString &name, const QByteArray &bytes) const;

 private:
  QTemporaryDir dir_;
};

QByteArray readBytes(const QString &path);

// The bytes of a page file named `name` holding `inputs` quarter notes on
// one staff, 20 pixels apart.
QByteArray quarterNotesPage(const QByteArray &name, int inputs = 1);

// The bytes of the page "lesson" of four staves with the text "Hello" /
// "World", glyph 32 at (40, 70) and "Allegro" at (100, 20).
QByteArray lessonPage();

class InputList;
// The contents, the Xs and the Ys of a page's inputs, one list each.
QList<QByteArray> contentsOf(const InputList &inputs);
QList<QByteArray> xsOf(const InputList &inputs);
QList<QByteArray> ysOf(const InputList &inputs);
// The lines of bytes as the program's line reader splits them.
QList<QByteArray> linesOf(QByteArray bytes);

#include <ostream>
// Readable QString values in test failures.
inline void PrintTo(const QString &text, std::ostream *out) {
  *out << '"' << text.toStdString() << '"';
}
// Code page 932 bytes of a text written in the test source.
QByteArray sjis(const QString &text);
