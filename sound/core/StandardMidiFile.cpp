#include "sound/core/StandardMidiFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "base/core/BoundedRead.h"
#include "files/core/RegularFile.h"

namespace standard_midi {
namespace {

// Walks the bytes of one chunk; every read fails softly past the end.
class Reader {
 public:
  Reader(const QByteArray &bytes, qsizetype from, qsizetype to)
      : bytes_(bytes), at_(from), end_(to) {}

  bool atEnd() const { return at_ >= end_; }
  bool byte(quint32 &value) {
    if (atEnd()) return false;
    value = static_cast<quint8>(bytes_[at_++]);
    return true;
  }
  bool skip(quint32 count) {
    if (count > quint32(end_ - at_)) return false;
    at_ += count;
    return true;
  }
  // A variable-length quantity: at most four bytes, seven bits each.
  bool number(quint32 &value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      quint32 b = 0;
      if (!byte(b)) return false;
      value = (value << 7) | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return false;
  }

 private:
  const QByteArray &bytes_;
  qsizetype at_;
  qsizetype end_;
};

quint32 bigEndian(const QByteArray &bytes, qsizetype at, int size) {
  quint32 value = 0;
  for (int i = 0; i < size; ++i)
    value = (value << 8) | static_cast<quint8>(bytes[at + i]);
  return value;
}

using Tempos = QList<std::pair<qint64, quint32>>;

// The ticks of one track, or -1 when an event is cut short or unknown. A
// track that ends without its end-of-track event ends with its chunk. Its
// tempo changes go to `tempos`, when given.
qint64 trackTicks(Reader track, Tempos *tempos) {
  qint64 ticks = 0;
  quint32 running = 0;
  while (!track.atEnd()) {
    quint32 delta = 0, status = 0;
    if (!track.number(delta) || !track.byte(status)) return -1;
    ticks += delta;
    if (status < 0x80) {
      // Running status: this byte is the first data byte.
      if (running == 0 || !track.skip((running & 0xE0) == 0xC0 ? 0 : 1))
        return -1;
      continue;
    }
    quint32 length = 0;
    if (status == 0xFF) {
      quint32 type = 0;
      if (!track.byte(type) || !track.number(length)) return -1;
      if (type == 0x51 && length == 3 && tempos) {
        quint32 b[3] = {};
        if (!track.byte(b[0]) || !track.byte(b[1]) || !track.byte(b[2]))
          return -1;
        tempos->append({ticks, (b[0] << 16) | (b[1] << 8) | b[2]});
      } else if (!track.skip(length)) {
        return -1;
      }
      if (type == 0x2F) return ticks;
    } else if (status == 0xF0 || status == 0xF7) {
      if (!track.number(length) || !track.skip(length)) return -1;
    } else if (status < 0xF0) {
      running = status;
      if (!track.skip((status & 0xE0) == 0xC0 ? 1 : 2)) return -1;
    } else {
      return -1;
    }
  }
  return ticks;
}

// The length of the longest track, or -1; the clock goes to `timing`.
qint64 walk(const QByteArray &bytes, Timing *timing) {
  if (bytes.size() < 14 || !bytes.startsWith("MThd")) return -1;
  const quint32 headerSize = bigEndian(bytes, 4, 4);
  const quint32 format = bigEndian(bytes, 8, 2);
  const quint32 tracks = bigEndian(bytes, 10, 2);
  const quint32 division = bigEndian(bytes, 12, 2);
  if (headerSize < 6 || format > 2 || tracks == 0 || division == 0) return -1;
  qsizetype at = 8 + qsizetype(headerSize);
  qint64 longest = 0;
  quint32 found = 0;
  // Chunks of other kinds are skipped, as readers must.
  while (found < tracks) {
    if (at + 8 > bytes.size()) return -1;
    const qsizetype size = bigEndian(bytes, at + 4, 4);
    const qsizetype start = at + 8;
    if (size > bytes.size() - start) return -1;
    if (bytes.mid(at, 4) == "MTrk") {
      const qint64 ticks = trackTicks(Reader(bytes, start, start + size),
                                      timing ? &timing->tempos : nullptr);
      if (ticks < 0) return -1;
      longest = std::max(longest, ticks);
      ++found;
    }
    at = start + size;
  }
  if (timing) {
    timing->division = division;
    std::stable_sort(
        timing->tempos.begin(), timing->tempos.end(),
        [](const auto &a, const auto &b) { return a.first < b.first; });
  }
  return longest;
}

}  // namespace

qint64 Timing::milliseconds(qint64 tick) const {
  if (division & 0x8000) {
    const int framesPerSecond = -qint8(division >> 8);
    const qint64 perSecond = qint64(framesPerSecond) * (division & 0xFF);
    return perSecond > 0 ? tick * 1000 / perSecond : 0;
  }
  // Half a second to a quarter note until the first change.
  qint64 microseconds = 0, from = 0;
  quint32 tempo = 500000;
  for (const auto &[at, next] : tempos) {
    if (at >= tick) break;
    microseconds += (at - from) * tempo / division;
    from = at;
    tempo = next;
  }
  microseconds += (tick - from) * tempo / division;
  return microseconds / 1000;
}

qint64 lengthInTicks(const QByteArray &bytes) { return walk(bytes, nullptr); }

std::optional<Piece> read(const QString &path, QString *error) {
  const QString name = QFileInfo(path).fileName();
  QFile file(path);
  if (!regular_file::isRegular(path)) {
    *error = QStringLiteral("「%1」が見つかりません。").arg(name);
    return std::nullopt;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("「%1」を読めません。").arg(name);
    return std::nullopt;
  }
  Piece piece;
  // The size the file gives may not be the size it has (a growing file):
  // the bound holds for what is read.
  piece.bytes = bounded_read::upTo(file, MaxFileBytes + 1);
  if (piece.bytes.size() > MaxFileBytes) {
    *error =
        QStringLiteral("「%1」は大きすぎます（MIDIファイルは %2 MB まで）。")
            .arg(name)
            .arg(MaxFileBytes / (1024 * 1024));
    return std::nullopt;
  }
  piece.ticks = walk(piece.bytes, &piece.timing);
  if (piece.ticks < 0) {
    *error =
        QStringLiteral("「%1」は標準MIDIファイルではありません。").arg(name);
    return std::nullopt;
  }
  return piece;
}

}  // namespace standard_midi
