#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>

#include "support/TestFiles.h"

// Small MIDI files written by the tests, and the WAV files the program
// writes, read back.
namespace audio_files {

struct Event {
  quint32 delta;  // ticks since the event before
  QByteArray bytes;
};

inline QByteArray midiNumber(quint32 value) {
  QByteArray out(1, char(value & 0x7F));
  while (value >>= 7) out.prepend(char(0x80 | (value & 0x7F)));
  return out;
}

// A one-track standard MIDI file, 480 ticks a beat at 120 beats a minute,
// with its end-of-track event after the last of `events`.
inline QByteArray midiFile(const QList<Event> &events) {
  QByteArray track;
  for (const Event &event : events)
    track += midiNumber(event.delta) + event.bytes;
  track += QByteArray("\x00\xFF\x2F\x00", 4);
  QByteArray size(4, 0);
  qToBigEndian<quint32>(track.size(), size.data());
  return QByteArray("MThd\0\0\0\x06\0\0\0\x01\x01\xE0", 14) + "MTrk" + size +
         track;
}

// One second: two notes of half a second on the piano.
inline QByteArray oneSecondPiece() {
  return midiFile({{0, QByteArray("\xC0\x00", 2)},
                   {0, "\x90\x3C\x64"},
                   {480, QByteArray("\x80\x3C\x00", 3)},
                   {0, "\x90\x40\x64"},
                   {480, QByteArray("\x80\x40\x00", 3)}});
}

struct Wav {
  int format = 0, channels = 0, rate = 0, bits = 0;
  QByteArray data;

  double seconds() const {
    return channels && bits ? double(data.size()) / (channels * bits / 8) / rate
                            : 0;
  }
  // The largest 16-bit sample, in either direction, from a time on.
  int peak(double fromSeconds = 0) const {
    int peak = 0;
    const qsizetype from = qsizetype(fromSeconds * rate) * channels * 2;
    for (qsizetype i = from; i + 1 < data.size(); i += 2)
      peak = std::max(
          peak, std::abs(int(qFromLittleEndian<qint16>(data.data() + i))));
    return peak;
  }
};

inline Wav readWav(const QString &path) {
  const QByteArray bytes = readBytes(path);
  Wav wav;
  if (!bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return wav;
  for (qsizetype at = 12; at + 8 <= bytes.size();) {
    const QByteArray id = bytes.mid(at, 4);
    const quint32 size = qFromLittleEndian<quint32>(bytes.data() + at + 4);
    const QByteArray body = bytes.mid(at + 8, size);
    if (id == "fmt " && body.size() >= 16) {
      wav.format = qFromLittleEndian<quint16>(body.data());
      wav.channels = qFromLittleEndian<quint16>(body.data() + 2);
      wav.rate = qFromLittleEndian<quint32>(body.data() + 4);
      wav.bits = qFromLittleEndian<quint16>(body.data() + 14);
    } else if (id == "data") {
      wav.data = body;
    }
    at += 8 + size + (size & 1);
  }
  return wav;
}

}  // namespace audio_files
