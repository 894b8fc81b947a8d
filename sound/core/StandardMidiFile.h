#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

// Standard MIDI files as the players take them: checked whole before
// FluidSynth sees them, because its player reads a file only once it has
// started playing, on the audio thread, and says nothing when it fails.
namespace standard_midi {

// The piece's clock: its ticks in time, through its tempo changes.
struct Timing {
  // The header's: ticks to a quarter note, or frames and ticks to a frame
  // of SMTPE time when the top bit is set.
  quint32 division = 480;
  // Tick and microseconds to a quarter note of each change, in tick order.
  QList<std::pair<qint64, quint32>> tempos;

  qint64 milliseconds(qint64 tick) const;
};

// A piece read whole: the file's bytes, the length of its longest track
// in ticks, and its clock.
struct Piece {
  QByteArray bytes;
  qint64 ticks = 0;
  Timing timing;
};

// The length of the longest track in ticks, or -1 when the bytes are not a
// standard MIDI file (header, track chunks and every event complete).
qint64 lengthInTicks(const QByteArray &bytes);

// The largest MIDI file taken. The synthesizer's player holds some fifteen
// bytes for each byte of the file; a course's pieces are a few kilobytes.
inline constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

// Reads a standard MIDI file; nothing, with the reason worded for the user
// in `error`, when it is missing, unreadable, larger than MaxFileBytes or
// not a standard MIDI file.
std::optional<Piece> read(const QString &path, QString *error);

}  // namespace standard_midi
