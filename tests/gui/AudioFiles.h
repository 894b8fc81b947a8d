#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

#include "sound/core/SoundFonts.h"
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
  // The largest 16-bit sample, in either direction, from a time on (and up
  // to a time).
  int peak(double fromSeconds = 0, double toSeconds = 1e9) const {
    int peak = 0;
    const auto at = [&](double seconds) {
      return std::clamp(qsizetype(seconds * rate) * channels * 2, qsizetype(0),
                        data.size());
    };
    for (qsizetype i = at(fromSeconds); i + 1 < at(toSeconds); i += 2)
      peak = std::max(
          peak, std::abs(int(qFromLittleEndian<qint16>(data.data() + i))));
    return peak;
  }
};

// A level in dB below the full scale of 16-bit samples.
inline double dbfs(int peak) {
  return peak > 0 ? 20 * std::log10(peak / 32767.0) : -200;
}

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

// The SoundFonts setup.sh installs that are present (TimGM6mb always,
// FluidR3_GM when it could be fetched), else what the program would find:
// the tests that listen run once with each, as tests of their own.
inline QStringList installedSoundFonts() {
  QStringList fonts;
  const QDir folder(sound_fonts::systemFolder());
  for (const QString name : {"TimGM6mb.sf2", "FluidR3_GM.sf2"})
    if (QFileInfo(folder.filePath(name)).isFile())
      fonts << folder.filePath(name);
  return fonts.isEmpty() ? QStringList{sound_fonts::best()} : fonts;
}

// "FluidR3_GM" for /usr/share/sounds/sf2/FluidR3_GM.sf2.
inline std::string soundFontName(
    const ::testing::TestParamInfo<QString> &font) {
  std::string name = QFileInfo(font.param).completeBaseName().toStdString();
  for (char &c : name)
    c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name.empty() ? "none" : name;
}

}  // namespace audio_files
