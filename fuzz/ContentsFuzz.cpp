// Feeds any bytes to the contents-file reader, whole and in pieces of a
// size taken from the input, and holds what it finds to the line rules
// written out plainly here. The UTF-8 detection may change the bytes but
// never the lines, and every entry makes a page path.

#include <QBuffer>
#include <QIODevice>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>

#include "FuzzCheck.h"
#include "HeapPeak.h"
#include "files/core/ContentsFile.h"

namespace {

// Hands out its bytes a few at a time, as a pipe or a network file system
// may, so that line ends falling between two reads are met too.
class TrickleDevice : public QIODevice {
 public:
  TrickleDevice(const QByteArray &bytes, qint64 piece)
      : bytes_(bytes), piece_(piece) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  }
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char *data, qint64 maxSize) override {
    const qint64 n = std::min({maxSize, piece_, bytes_.size() - pos_});
    std::memcpy(data, bytes_.constData() + pos_, static_cast<size_t>(n));
    pos_ += n;
    return n;
  }
  qint64 writeData(const char *, qint64) override { return -1; }

 private:
  QByteArray bytes_;
  qint64 piece_;
  qint64 pos_ = 0;
};

// The file's lines as the rules say: a byte 0x1A ends the file, CR LF, CR
// and LF each end a line, and a last line without an end counts when it
// holds something.
QList<QByteArray> plainLines(const QByteArray &bytes) {
  const qsizetype eof = bytes.indexOf('\x1A');
  const QByteArray text = eof >= 0 ? bytes.left(eof) : bytes;
  QList<QByteArray> lines;
  QByteArray line;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    lines.append(line);
    line.clear();
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  if (!line.isEmpty()) lines.append(line);
  return lines;
}

ContentsData plainContents(const QByteArray &bytes) {
  ContentsData data;
  for (const QByteArray &line : plainLines(bytes)) {
    if (line.startsWith('/'))
      data.title = line.mid(1);
    else if (line.startsWith('\\'))
      data.note = line.mid(1);
    else if (data.entries.size() < MaxContentsEntries)
      data.entries.append(line);
    else
      break;  // the reader's bound
  }
  return data;
}

void checkSame(const ContentsData &read, const ContentsData &expected) {
  CHECK(!read.failed);
  CHECK(read.title == expected.title);
  CHECK(read.note == expected.note);
  CHECK(read.entries == expected.entries);
}

ContentsData parseBytes(QByteArray bytes) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  return parseContents(buffer);
}

// An empty folder to look the entries' pages up in, removed at the end of
// the run.
const QString &courseFolder() {
  static const QTemporaryDir folder;
  static const QString path = folder.path();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  heap_peak::install();
  // Qt warns of names with a zero byte in them, which entries may hold.
  qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext &, const QString &) {});
  courseFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes = fuzzBytes(data, size);
  const ContentsData expected = plainContents(bytes);
  {
    const heap_peak::Measure heap;
    checkSame(parseBytes(bytes), expected);
    QString unheld;
    (void)contentsAsCp932(bytes, &unheld);
    CHECK(heap_peak::withinBound(heap.grown(), size));
  }
  // The reader takes a fresh block for every read, so a long input comes
  // in a few dozen pieces rather than thousands.
  const qint64 piece =
      std::max<qint64>(size > 0 ? 1 + data[0] % 7 : 1, qint64(size) / 32);
  TrickleDevice trickle(bytes, piece);
  checkSame(parseContents(trickle), expected);

  QString unheld;
  const QByteArray converted = contentsAsCp932(bytes, &unheld);
  const bool plainAscii = !bytes.startsWith("\xEF\xBB\xBF") &&
                          std::none_of(bytes.begin(), bytes.end(), [](char c) {
                            return static_cast<unsigned char>(c) >= 0x80;
                          });
  if (plainAscii) CHECK(converted == bytes && unheld.isEmpty());
  if (converted != bytes) {
    // Converting changes characters, never which line is which. The
    // decoder drops a byte-order mark at the start of the text, so a second
    // one after the first goes too.
    QByteArray utf8 = bytes;
    for (int marks = 0; marks < 2 && utf8.startsWith("\xEF\xBB\xBF"); ++marks)
      utf8.remove(0, 3);
    const ContentsData before = plainContents(utf8);
    const ContentsData after = parseBytes(converted);
    CHECK(after.entries.size() == before.entries.size());
    CHECK(after.title.isEmpty() == before.title.isEmpty());
  }

  for (const QByteArray &entry : expected.entries) {
    const QByteArray name = entryName(entry);
    CHECK(entry.endsWith(name));
    CHECK(name.isEmpty() || static_cast<unsigned char>(name[0]) > 0x20);
    // A name that climbs out of the course folder would search this
    // machine's folders, which are not the input.
    if (!name.contains(".."))
      CHECK(!entryPagePath(courseFolder(), entry).isEmpty());
  }
  return 0;
}
