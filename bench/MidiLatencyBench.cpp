// The player's sound: how long after the play command the synthesizer
// first makes a sound, and what one second of a piece costs the processor.
// Both render blocks as the audio driver does, on the player's settings.

#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <QByteArray>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "sound/core/SoundFonts.h"
#include "sound/module/FluidSynthSetup.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Block = 64;  // FluidSynth's audio.period-size
// The quietest 16-bit sample that is not silence.
constexpr float Silence = 1.0f / 32768;

QByteArray number(quint32 value) {
  QByteArray out(1, char(value & 0x7F));
  while (value >>= 7) out.prepend(char(0x80 | (value & 0x7F)));
  return out;
}

// Eight beats at 120 beats a minute on the piano, `voices` notes struck
// together on each beat and held for the beat.
QByteArray chords(int voices) {
  QByteArray track("\x00\xC0\x00", 3);
  for (int beat = 0; beat < 8; ++beat) {
    for (int v = 0; v < voices; ++v)
      track += number(0) + char(0x90) + char(48 + beat + 5 * v) + char(90);
    for (int v = 0; v < voices; ++v)
      track += number(v == 0 ? 480 : 0) + char(0x80) + char(48 + beat + 5 * v) +
               char(0);
  }
  track += QByteArray("\x00\xFF\x2F\x00", 4);
  const quint32 size = track.size();
  return QByteArray("MThd\0\0\0\x06\0\0\0\x01\x01\xE0MTrk", 18) +
         char(size >> 24) + char(size >> 16) + char(size >> 8) + char(size) +
         track;
}

struct Synth {
  fluid_setup::Settings settings = fluid_setup::makeSettings();
  fluid_setup::Synth synth =
      fluid_setup::makeSynth(settings.get(), sound_fonts::best());
};

// Renders one block; its loudest sample.
float renderBlock(fluid_synth_t *synth) {
  float left[Block], right[Block];
  fluid_synth_write_float(synth, Block, left, 0, 1, right, 0, 1);
  float peak = 0;
  for (int i = 0; i < Block; ++i)
    peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  return peak;
}

// With the piece open and the synthesizer silent, the time from play to the
// first block that is not silent. A driver adds up to one period before its
// next block and its device's buffer after it.
void BM_MidiPlayToFirstSound(benchmark::State &state) {
  fluid_setup::quietLog();
  const Synth s;
  if (!s.synth) return state.SkipWithError("no SoundFont");
  fluid_synth_t *synth = s.synth.get();
  const QByteArray piece = chords(1);
  double blocks = 0;
  for (auto _ : state) {
    fluid_synth_system_reset(synth);
    const fluid_setup::Player player = fluid_setup::makePlayer(synth, piece);
    for (int i = 0; i < 1000 && renderBlock(synth) >= Silence; ++i) {
    }
    const auto start = Clock::now();
    fluid_player_play(player.get());
    int rendered = 1;
    while (renderBlock(synth) < Silence && rendered < 1000) ++rendered;
    state.SetIterationTime(
        std::chrono::duration<double>(Clock::now() - start).count());
    blocks += rendered;
  }
  blocks /= state.iterations();
  state.counters["blocks"] = blocks;
  state.counters["audio_ms"] = blocks * Block * 1000 / fluid_setup::SampleRate;
}
BENCHMARK(BM_MidiPlayToFirstSound)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The first play of a run: the sound module loaded, the synthesizer made
// with the best SoundFont, the piece opened, then play to the first block
// that is not silent. FluidSynth's own libraries are already loaded in
// this process; the audio driver's start, which depends on the device, is
// left out.
void BM_MidiFirstPlayWithPreparation(benchmark::State &state) {
  fluid_setup::quietLog();
  const QByteArray piece = chords(1);
  for (auto _ : state) {
    const auto start = Clock::now();
    void *module = dlopen(VARNEL_SOUND_MODULE, RTLD_NOW | RTLD_LOCAL);
    if (!module) return state.SkipWithError("no sound module");
    const Synth s;
    if (!s.synth) return state.SkipWithError("no SoundFont");
    fluid_synth_t *synth = s.synth.get();
    fluid_synth_system_reset(synth);
    const fluid_setup::Player player = fluid_setup::makePlayer(synth, piece);
    fluid_player_play(player.get());
    for (int i = 0; i < 1000 && renderBlock(synth) < Silence; ++i) {
    }
    state.SetIterationTime(
        std::chrono::duration<double>(Clock::now() - start).count());
    dlclose(module);
  }
}
BENCHMARK(BM_MidiFirstPlayWithPreparation)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// One second of a piece, `voices` notes at a time, played round and round.
// The time it takes is the share of one processor core the player needs.
void BM_MidiRenderOneSecond(benchmark::State &state) {
  fluid_setup::quietLog();
  const Synth s;
  if (!s.synth) return state.SkipWithError("no SoundFont");
  fluid_synth_t *synth = s.synth.get();
  const fluid_setup::Player player =
      fluid_setup::makePlayer(synth, chords(int(state.range(0))));
  fluid_player_set_loop(player.get(), -1);
  fluid_player_play(player.get());
  const int blocks = fluid_setup::SampleRate / Block;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    for (int i = 0; i < blocks; ++i) renderBlock(synth);
    seconds += std::chrono::duration<double>(Clock::now() - start).count();
  }
  state.counters["cpu_percent"] = 100 * seconds / state.iterations();
  state.counters["voices_now"] = fluid_synth_get_active_voice_count(synth);
}
BENCHMARK(BM_MidiRenderOneSecond)
    ->Arg(1)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond);

}  // namespace
