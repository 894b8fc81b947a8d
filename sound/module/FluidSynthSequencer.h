#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include "sound/core/Sequencer.h"
#include "sound/core/StandardMidiFile.h"
#include "sound/module/FluidSynthSetup.h"

// The sequencer that sounds: FluidSynth playing the piece through the
// General MIDI SoundFont to the first audio output that starts. Positions
// are in the piece's ticks.
//
// FluidSynth tells nobody when a piece ends, so a timer on this thread
// watches the player while it plays. The audio driver runs only while a
// piece is open, and is always started after the player and stopped before
// it is deleted: the player lives on the audio thread's callbacks.
class FluidSynthSequencer : public QObject, public Sequencer {
  Q_OBJECT

 public:
  struct Options {
    // The audio drivers to try in turn; empty for usualDrivers().
    QStringList drivers;
    // Where FluidSynth's "file" driver writes, in real time.
    QString fileName;
    // The SoundFont; empty to look for the General MIDI one.
    QString soundFont;
  };

  explicit FluidSynthSequencer(const Options &options = {},
                               QObject *parent = nullptr);
  ~FluidSynthSequencer() override;

  // The desktop's sound server (PulseAudio, or PipeWire in its place),
  // then ALSA, JACK and OSS.
  static QStringList usualDrivers();
  // How often the player is watched while it plays.
  static constexpr int PollMilliseconds = 25;

  int outputCount() override;
  bool open(const QString &path, QString *error) override;
  void close() override;
  void play() override;
  void stop() override;
  void seekToStart() override;
  void seek(qint64 position) override;
  Mode mode() const override;
  qint64 position() const override;
  qint64 length() const override;
  qint64 milliseconds(qint64 position) const override;

 private:
  QString findDriver(const QStringList &candidates);
  fluid_setup::AudioDriver startAudio() const;
  qint64 playerTick() const;
  void noteSeekTaken();
  void moveTo(qint64 position);
  void silence();
  void halt();
  void watch();
  void queueEndReport();

  fluid_setup::Settings settings_;
  fluid_setup::Synth synth_;
  fluid_setup::Player player_;
  fluid_setup::AudioDriver audio_;
  QString driver_;  // the one that started; empty when none did
  qint64 pieceTicks_ = 0;
  standard_midi::Timing timing_;
  bool playing_ = false;
  bool atEnd_ = false;
  // Sent to seekTarget_, and not yet there: the player's tick when the play
  // began.
  bool seeking_ = false;
  qint64 seekTarget_ = 0;
  qint64 tickBeforeSeek_ = 0;
  // A child, so that it moves with the sequencer to the thread it serves.
  QTimer watch_;
};
