#pragma once

#include <fluidsynth.h>

#include <QByteArray>
#include <QString>
#include <memory>

// How every player of ours builds FluidSynth, so that the window's player,
// the offline renderer and the benchmarks sound alike.
namespace fluid_setup {

template <auto release>
struct Release {
  template <class T>
  void operator()(T *object) const {
    release(object);
  }
};
using Settings =
    std::unique_ptr<fluid_settings_t, Release<delete_fluid_settings>>;
using Synth = std::unique_ptr<fluid_synth_t, Release<delete_fluid_synth>>;
using Player = std::unique_ptr<fluid_player_t, Release<delete_fluid_player>>;
using AudioDriver =
    std::unique_ptr<fluid_audio_driver_t, Release<delete_fluid_audio_driver>>;

constexpr int SampleRate = 44100;

// Keeps FluidSynth's log, and the complaints of the sound libraries under
// it, off the console: the program words its own messages.
// QT_LOGGING_RULES="varnel.fluidsynth.debug=true" shows FluidSynth's.
void quietLog();

// Settings for stereo at `sampleRate` and the program's gain, the player
// timed by the samples the synthesizer renders, the samples loaded as
// instruments are chosen.
Settings makeSettings(int sampleRate = SampleRate);
// A synthesizer with the SoundFont loaded; null when it does not load.
Synth makeSynth(fluid_settings_t *settings, const QString &soundFont);
// A player of a piece (a standard MIDI file's bytes), playing it once.
Player makePlayer(fluid_synth_t *synth, const QByteArray &piece);

// Releases every sounding note, sustained ones too, so that what rings
// fades out with its own release instead of stopping with a click.
void releaseAllNotes(fluid_synth_t *synth);

// True when the player has reached the end of the piece: it says so, or it
// has passed the last event and only sounding notes keep it going (a note
// without its note-off would keep it going for ever).
bool pieceOver(fluid_player_t *player, qint64 tick, qint64 length);

}  // namespace fluid_setup
