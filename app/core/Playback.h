#pragma once

#include <QObject>
#include <QTimer>

#include "sound/core/MediaPlayer.h"

class Messages;

// Which of the three playback buttons can be pressed.
struct PlayButtons {
  bool play = false;
  bool stop = false;
  bool toStart = false;
  bool operator==(const PlayButtons &) const = default;
};

// The page's piece through the tool bar and the keys, and the General MIDI
// reset.
class Playback : public QObject {
  Q_OBJECT
 public:
  Playback(Messages &messages, Sequencer &sequencer,
           const QString &programFolder);

  const MediaPlayer &player() const { return player_; }
  bool hasPiece() const { return !player_.FileName.isEmpty(); }
  bool soundPresent() const { return soundPresent_; }
  // Why the pieces cannot sound, worded for the user; empty when they can.
  QString silenceReason() const;
  PlayButtons buttons() const { return buttons_; }

  void play();
  void stop();
  void rewind();
  // Plays from `position`, in the sequencer's units: the position slider.
  void playFrom(qint64 position);
  // Where the piece is, in the sequencer's units: the start again once it
  // has ended, as the next play begins there.
  qint64 position() const;
  qint64 length() const { return sequencer_.length(); }
  // The time played and the piece's length, "m:ss / m:ss".
  QString timeText() const;
  // Plays a stopped piece and stops a playing one; the first press without
  // sound says why.
  void playOrStop();
  // The piece beside the page at `pagePath` (the ".mid" of the same name),
  // or none for an empty path.
  void attachPiece(const QString &pagePath);
  void closePiece();
  // Plays the reset file beside the program to bring a General MIDI sound
  // source into its first state.
  void resetSoundSource();
  QString resetFilePath() const;

 signals:
  void buttonsChanged(PlayButtons buttons);
  // The sound output was prepared: soundPresent() and silenceReason() may
  // have changed.
  void soundOutputChanged();
  // The position moved: a few times a second while the piece plays, and
  // whenever it stops, ends or is sent elsewhere.
  void positionChanged();

 private:
  void soundReady();
  void pieceEnded();
  void tellWhySilent();
  void enableButtons();
  void disableButtons() { setButtons({}); }
  void setButtons(PlayButtons buttons);

  Messages &messages_;
  Sequencer &sequencer_;
  QString programFolder_;
  MediaPlayer player_;
  bool soundPresent_ = false;
  bool silenceTold_ = false;  // the first F3 without sound says why
  PlayButtons buttons_;
  QTimer positionTimer_;
};

Q_DECLARE_METATYPE(PlayButtons)
