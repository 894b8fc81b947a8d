#include "sound/module/FluidSynthSetup.h"

#include <dlfcn.h>

#include <QFile>
#include <QLoggingCategory>

namespace fluid_setup {
namespace {

Q_LOGGING_CATEGORY(fluidLog, "varnel.fluidsynth", QtWarningMsg)

// At FluidSynth's default gain of 0.2 a melody on the General MIDI
// SoundFont peaks near -35 dB; at 1.0 the course's pieces peak between -21
// and -16 dB, and fuller pieces keep their headroom.
constexpr double Gain = 1.0;

void toDebugLog(int, const char *message, void *) {
  qCDebug(fluidLog) << message;
}

void ignoreAlsa(const char *, int, const char *, int, const char *, ...) {}

// ALSA's library prints its own lines when no sound card opens. It comes
// with FluidSynth, so it is reached at run time rather than linked; it is
// not among the program's global symbols when this module was loaded
// privately.
void quietAlsa() {
  using Handler =
      void (*)(const char *, int, const char *, int, const char *, ...);
  using SetHandler = int (*)(Handler);
  void *alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
  if (!alsa) return;
  if (const auto set = reinterpret_cast<SetHandler>(
          dlsym(alsa, "snd_lib_error_set_handler")))
    set(ignoreAlsa);
  dlclose(alsa);
}

}  // namespace

void quietLog() {
  for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
    fluid_set_log_function(level, toDebugLog, nullptr);
  quietAlsa();
}

Settings makeSettings(int sampleRate) {
  Settings settings(new_fluid_settings());
  fluid_settings_setnum(settings.get(), "synth.sample-rate", sampleRate);
  fluid_settings_setnum(settings.get(), "synth.gain", Gain);
  fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
  // Only the instruments a piece selects are read from the SoundFont: the
  // better SoundFonts are far larger than any piece needs.
  fluid_settings_setint(settings.get(), "synth.dynamic-sample-loading", 1);
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
