#pragma once

#include <QByteArray>
#include <QMap>
#include <algorithm>

// How long a standard MIDI file plays, read independently of the program's
// own reader so that tests can check what it renders.
namespace piece_length {

inline quint32 readNumber(const QByteArray &bytes, qsizetype &at) {
  quint32 value = 0;
  quint8 b = 0;
  do {
    b = quint8(bytes[at++]);
    value = (value << 7) | (b & 0x7F);
  } while (b & 0x80);
  return value;
}

// How long a standard MIDI file plays, in seconds, from its tempo changes.
inline double pieceSeconds(const QByteArray &midi) {
  const auto big = [&](qsizetype at, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i) value = (value << 8) | quint8(midi[at + i]);
    return value;
  };
  const double division = big(12, 2);
  QMap<quint64, quint32> tempos{{0, 500000}};  // tick -> µs a beat
  quint64 end = 0;
  for (qsizetype at = 8 + big(4, 4); at + 8 <= midi.size();) {
    const qsizetype last = at + 8 + big(at + 4, 4);
    quint64 tick = 0;
    quint8 running = 0;
    for (at += 8; at < last;) {
      tick += readNumber(midi, at);
      quint8 status = quint8(midi[at]);
      if (status & 0x80)
        ++at;
      else
        status = running;
      if (status == 0xFF) {
        const quint8 type = quint8(midi[at++]);
        const quint32 size = readNumber(midi, at);
        if (type == 0x51) tempos[tick] = big(at, 3);
        at += size;
      } else if (status == 0xF0 || status == 0xF7) {
        at += readNumber(midi, at);
      } else {
        running = status;
        at += (status & 0xE0) == 0xC0 ? 1 : 2;
      }
    }
    end = std::max(end, tick);
  }
  double seconds = 0;
  for (auto it = tempos.begin(); it != tempos.end() && it.key() < end; ++it) {
    const quint64 next = std::next(it) == tempos.end()
                             ? end
                             : std::min(end, std::next(it).key());
    seconds += (next - it.key()) * it.value() / division / 1e6;
  }
  return seconds;
}

}  // namespace piece_length
