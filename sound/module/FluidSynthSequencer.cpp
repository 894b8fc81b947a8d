#include "sound/module/FluidSynthSequencer.h"

#include <QFile>
#include <algorithm>

#include "sound/core/SoundFonts.h"
#include "sound/core/StandardMidiFile.h"
#include "sound/module/LeadTick.h"

FluidSynthSequencer::FluidSynthSequencer(const Options &options,
                                         QObject *parent)
    : QObject(parent), watch_(this) {
  fluid_setup::quietLog();
  watch_.setInterval(PollMilliseconds);
  connect(&watch_, &QTimer::timeout, this, &FluidSynthSequencer::watch);
  settings_ = fluid_setup::makeSettings();
  if (!options.fileName.isEmpty()) {
    fluid_settings_setstr(settings_.get(), "audio.file.name",
                          QFile::encodeName(options.fileName).constData());
  }
  const QString soundFont =
      options.soundFont.isEmpty() ? sound_fonts::best() : options.soundFont;
  if (!soundFont.isEmpty())
    synth_ = fluid_setup::makeSynth(settings_.get(), soundFont);
  if (synth_)
    driver_ = findDriver(options.drivers.isEmpty() ? usualDrivers()
                                                   : options.drivers);
}

FluidSynthSequencer::~FluidSynthSequencer() {
  watch_.stop();
  // The audio thread ends first: it runs the player and the synthesizer.
  audio_.reset();
  player_.reset();
  synth_.reset();
  settings_.reset();
}

// Not "sdl2": FluidSynth's SDL driver starts only once the program itself
// has started SDL's audio.
QStringList FluidSynthSequencer::usualDrivers() {
  return {QStringLiteral("pulseaudio"), QStringLiteral("alsa"),
          QStringLiteral("jack"), QStringLiteral("oss")};
}

// The first driver that starts; it is stopped again at once, so that the
// device is held only while a piece is open.
QString FluidSynthSequencer::findDriver(const QStringList &candidates) {
  for (const QString &name : candidates) {
    fluid_settings_setstr(settings_.get(), "audio.driver",
                          name.toLatin1().constData());
    if (startAudio()) return name;
  }
  return {};
}

fluid_setup::AudioDriver FluidSynthSequencer::startAudio() const {
  return fluid_setup::AudioDriver(
      new_fluid_audio_driver(settings_.get(), synth_.get()));
}

int FluidSynthSequencer::outputCount() { return driver_.isEmpty() ? 0 : 1; }

bool FluidSynthSequencer::open(const QString &path, QString *error) {
  close();
  QString reason;
  const auto piece = standard_midi::read(path, &reason);
  if (piece && !synth_) {
    reason = sound_fonts::missingMessage();
  } else if (piece && driver_.isEmpty()) {
    reason = QStringLiteral("音を出せる出力装置がありません。");
  } else if (piece) {
    // Whatever the last piece left on the channels goes with it.
    fluid_synth_system_reset(synth_.get());
    player_ =
        fluid_setup::makePlayer(synth_.get(), lead_tick::delayed(piece->bytes));
    if (player_) audio_ = startAudio();
    if (audio_) {
      pieceTicks_ = piece->ticks;
      timing_ = piece->timing;
      atEnd_ = seeking_ = false;
      return true;
    }
    player_.reset();
    reason = QStringLiteral("音の出力を始められません。");
  }
  if (error) *error = reason;
  return false;
}

void FluidSynthSequencer::close() {
  if (!player_) return;
  const bool interrupted = playing_;
  halt();
  audio_.reset();
  player_.reset();
  fluid_synth_system_reset(synth_.get());
  pieceTicks_ = 0;
  atEnd_ = seeking_ = false;
  if (interrupted) queueEndReport();
}

void FluidSynthSequencer::play() {
  if (!player_ || playing_) return;
  if (atEnd_) moveTo(0);
  if (seeking_) tickBeforeSeek_ = fluid_player_get_current_tick(player_.get());
  fluid_player_play(player_.get());
  playing_ = true;
  watch_.start();
}

void FluidSynthSequencer::stop() {
  if (!playing_) return;
  noteSeekTaken();
  // A pause after the last event cannot be resumed (the player refuses a
  // place past the end): it is the end.
  const bool over =
      fluid_setup::pieceOver(player_.get(), playerTick(), length());
  silence();
  // The stop holds the player where its tick reads; a seek it has not
  // taken yet must survive that.
  if (seeking_) moveTo(seekTarget_);
  halt();
  atEnd_ = over;
  queueEndReport();
}

void FluidSynthSequencer::seekToStart() { seek(0); }

void FluidSynthSequencer::seek(qint64 position) {
  if (!player_) return;
  const bool interrupted = playing_;
  halt();
  moveTo(position);
  if (interrupted) queueEndReport();
}

Sequencer::Mode FluidSynthSequencer::mode() const {
  if (!player_) return Mode::NotReady;
  return playing_ ? Mode::Playing : Mode::Stopped;
}

qint64 FluidSynthSequencer::position() const {
  if (!player_) return 0;
  if (atEnd_) return length();
  return std::clamp(playerTick(), qint64(0), length());
}

// The piece's own count: the player's is 0 until it has rendered, and it
// walks tracks the audio thread may be replacing.
qint64 FluidSynthSequencer::length() const { return player_ ? pieceTicks_ : 0; }

qint64 FluidSynthSequencer::milliseconds(qint64 position) const {
  return timing_.milliseconds(position);
}

qint64 FluidSynthSequencer::playerTick() const {
  const qint64 tick = fluid_player_get_current_tick(player_.get());
  if (seeking_ && (!playing_ || tick == tickBeforeSeek_)) return seekTarget_;
  // The player counts the piece's lead too.
  return std::max(tick - lead_tick::Ticks, qint64(0));
}

void FluidSynthSequencer::noteSeekTaken() {
  if (seeking_ && playing_ &&
      fluid_player_get_current_tick(player_.get()) != tickBeforeSeek_)
    seeking_ = false;
}

// The player takes the seek only once it plays again: until then its tick
// still reads the old place.
void FluidSynthSequencer::moveTo(qint64 position) {
  // After the end the player may still be letting the last notes ring.
  if (fluid_player_get_status(player_.get()) == FLUID_PLAYER_PLAYING) silence();
  position = std::clamp(position, qint64(0), length());
  if (position == length() && position > 0) {
    // Nothing is left to play: the next play starts over.
    seeking_ = false;
    atEnd_ = true;
    return;
  }
  // Past the start, the place is counted with the piece's lead.
  fluid_player_seek(player_.get(), position ? position + lead_tick::Ticks : 0);
  seeking_ = true;
  seekTarget_ = position;
  atEnd_ = false;
}

void FluidSynthSequencer::silence() {
  fluid_player_stop(player_.get());
  fluid_setup::releaseAllNotes(synth_.get());
}

void FluidSynthSequencer::halt() {
  playing_ = false;
  watch_.stop();
}

void FluidSynthSequencer::watch() {
  if (!playing_) return;
  noteSeekTaken();
  if (!fluid_setup::pieceOver(player_.get(), playerTick(), length())) return;
  // The player runs on while notes sound, for ever when one is never
  // released: the piece has ended all the same. The last notes are let go
  // and ring out with their own release; a stop now would cut them short.
  fluid_setup::releaseAllNotes(synth_.get());
  halt();
  atEnd_ = true;
  reportEnd();
}

void FluidSynthSequencer::queueEndReport() {
  QMetaObject::invokeMethod(
      this, [this] { reportEnd(); }, Qt::QueuedConnection);
}
