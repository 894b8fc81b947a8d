#pragma once

#include <QString>

#include "sound/core/Sequencer.h"

// The program's one player of MIDI files: a file name and, while it is
// open, the sequencer's piece. Play, stop and seek to the start are
// refused while nothing is open; a play at the end of the piece starts it
// again from the beginning.
class MediaPlayer {
 public:
  explicit MediaPlayer(Sequencer &sequencer) : sequencer_(sequencer) {}

  QString FileName;  // empty when no file is assigned

  // Opens FileName; false with the reason (the sequencer's words, or
  // "原因不明のｴﾗｰ") when the sequencer refuses it.
  bool open(QString *error);
  void close();
  bool isOpen() const { return open_; }
  // Each is false with "MCI ﾃﾞﾊﾞｲｽがありません" while nothing is open.
  bool play(QString *error);
  bool stop(QString *error);
  bool seekToStart(QString *error);
  bool seek(qint64 position, QString *error);
  Sequencer::Mode mode() const;

  static QString noDeviceMessage();

 private:
  bool refuseWhenClosed(QString *error) const;

  Sequencer &sequencer_;
  bool open_ = false;
};
