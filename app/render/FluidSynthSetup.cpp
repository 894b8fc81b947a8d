#include "app/render/FluidSynthSetup.h"

#include <dlfcn.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

namespace fluid_setup {
namespace {

Q_LOGGING_CATEGORY(fluidLog, "varnel.fluidsynth", QtWarningMsg)

const char SoundFontFolder[] = "/usr/share/sounds/sf2";

// At FluidSynth's default gain of 0.2 a melody on the General MIDI
// SoundFont peaks near -35 dB; at 1.0 the course's pieces peak between -21
// and -16 dB, and fuller pieces keep their headroom.
constexpr double Gain = 1.0;

void toDebugLog(int, const char *message, void *) {
  qCDebug(fluidLog) << message;
}

void ignoreAlsa(const char *, int, const char *, int, const char *, ...) {}

// ALSA's library prints its own lines when no sound card opens. It comes
// with FluidSynth, so it is reached at run time rather than linked.
void quietAlsa() {
  using Handler =
      void (*)(const char *, int, const char *, int, const char *, ...);
  using SetHandler = int (*)(Handler);
  if (const auto set = reinterpret_cast<SetHandler>(
          dlsym(RTLD_DEFAULT, "snd_lib_error_set_handler")))
    set(ignoreAlsa);
}

}  // namespace

void quietLog() {
  for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
    fluid_set_log_function(level, toDebugLog, nullptr);
  quietAlsa();
}

QString findSoundFont() {
  const QDir folder(QString::fromLatin1(SoundFontFolder));
  const QString preferred = folder.filePath(QStringLiteral("default-GM.sf2"));
  if (QFileInfo(preferred).isFile()) return preferred;
  const QStringList names =
      folder.entryList({QStringLiteral("*.sf2")}, QDir::Files | QDir::Readable,
                       QDir::Name | QDir::IgnoreCase);
  return names.isEmpty() ? QString() : folder.filePath(names.first());
}

QString noSoundFontMessage() {
  return QStringLiteral("MIDIを鳴らすSoundFontが%1にありません。")
      .arg(QString::fromLatin1(SoundFontFolder));
}

Settings makeSettings() {
  Settings settings(new_fluid_settings());
  fluid_settings_setnum(settings.get(), "synth.sample-rate", SampleRate);
  fluid_settings_setnum(settings.get(), "synth.gain", Gain);
  fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
  return settings;
}

Synth makeSynth(fluid_settings_t *settings, const QString &soundFont) {
  Synth synth(new_fluid_synth(settings));
  if (synth &&
      fluid_synth_sfload(synth.get(), QFile::encodeName(soundFont).constData(),
                         1) == FLUID_FAILED)
    synth.reset();
  return synth;
}

Player makePlayer(fluid_synth_t *synth, const QByteArray &piece) {
  Player player(new_fluid_player(synth));
  if (player && fluid_player_add_mem(player.get(), piece.constData(),
                                     piece.size()) != FLUID_OK)
    player.reset();
  return player;
}

void releaseAllNotes(fluid_synth_t *synth) {
  constexpr int Sustain = 64, Sostenuto = 66;
  for (int channel = 0; channel < fluid_synth_count_midi_channels(synth);
       ++channel) {
    fluid_synth_cc(synth, channel, Sustain, 0);
    fluid_synth_cc(synth, channel, Sostenuto, 0);
  }
  fluid_synth_all_notes_off(synth, -1);
}

bool pieceOver(fluid_player_t *player, qint64 tick, qint64 length) {
  return fluid_player_get_status(player) == FLUID_PLAYER_DONE ||
         (length > 0 && tick >= length);
}

}  // namespace fluid_setup
