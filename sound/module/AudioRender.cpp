#include "sound/module/AudioRender.h"

#include <QFileInfo>
#include <QList>
#include <algorithm>
#include <cmath>

#include "base/core/WholeFile.h"
#include "sound/core/SoundFonts.h"
#include "sound/core/StandardMidiFile.h"
#include "sound/module/FluidSynthSetup.h"

namespace audio_render {
namespace {

// What a released note leaves in the reverberation once no voice sounds.
constexpr double ReverbSeconds = 0.3;

// 16-bit stereo PCM, as the canonical 44-byte WAV header describes it.
constexpr int Channels = 2, BytesPerFrame = Channels * 2;

QByteArray wavHeader(quint32 dataBytes) {
  QByteArray header;
  const auto put = [&](quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) header += char((value >> (8 * i)) & 0xFF);
  };
  header += "RIFF";
  put(36 + dataBytes, 4);
  header += "WAVEfmt ";
  put(16, 4);
  put(1, 2);  // PCM
  put(Channels, 2);
  put(fluid_setup::SampleRate, 4);
  put(fluid_setup::SampleRate * BytesPerFrame, 4);
  put(BytesPerFrame, 2);
  put(16, 2);
  header += "data";
  put(dataBytes, 4);
  return header;
}

// The synthesizer's sound, block by block, into a WAV file whose every
// write is checked.
class Renderer {
 public:
  Renderer(fluid_synth_t *synth, fluid_settings_t *settings, WholeFile &out)
      : synth_(synth), file_(out), out_(out.device()) {
    fluid_settings_getint(settings, "audio.period-size", &frames_);
    frames_ = std::max(frames_, 1);
    samples_.resize(frames_ * Channels);
    pcm_.resize(frames_ * BytesPerFrame);
    blockSeconds_ = double(frames_) / fluid_setup::SampleRate;
  }
  bool start() { return out_.write(wavHeader(0)) == 44; }
  // Renders one block; false when the file cannot be written.
  bool block() {
    seconds_ += blockSeconds_;
    fluid_synth_write_float(synth_, frames_, samples_.data(), 0, Channels,
                            samples_.data(), 1, Channels);
    for (qsizetype i = 0; i < samples_.size(); ++i) {
      const float scaled = samples_[i] * 32767.0f;
      const qint16 value = scaled >= 32767.0f    ? 32767
                           : scaled <= -32768.0f ? -32768
                                                 : qint16(std::lrint(scaled));
      pcm_[2 * i] = char(value & 0xFF);
      pcm_[2 * i + 1] = char((value >> 8) & 0xFF);
    }
    if (out_.write(pcm_) != pcm_.size()) return false;
    dataBytes_ += pcm_.size();
    return true;
  }
  // The header with the sizes, once all the sound is written.
  bool finish() {
    return dataBytes_ <= 0xFFFFFFFFu - 36 && file_.flush() && out_.seek(0) &&
           out_.write(wavHeader(quint32(dataBytes_))) == 44;
  }
  double seconds() const { return seconds_; }

  // The notes' release, then the reverberation, within the tail's limit.
  bool tail() {
    const double limit = seconds_ + MaxTailSeconds;
    double quietSince = -1;
    while (seconds_ + blockSeconds_ <= limit) {
      if (fluid_synth_get_active_voice_count(synth_) > 0)
        quietSince = -1;
      else if (quietSince < 0)
        quietSince = seconds_;
      else if (seconds_ - quietSince >= ReverbSeconds)
        break;
      if (!block()) return false;
    }
    return true;
  }

 private:
  fluid_synth_t *synth_;
  WholeFile &file_;
  QIODevice &out_;
  int frames_ = 64;
  QList<float> samples_;
  QByteArray pcm_;
  qint64 dataBytes_ = 0;
  double blockSeconds_ = 0;
  double seconds_ = 0;
};

}  // namespace

bool renderToWav(const QByteArray &piece, const QString &soundFont,
                 const QString &wavPath, QString *error, bool *cut,
                 double maxSeconds) {
  fluid_setup::quietLog();
  const qint64 ticks = standard_midi::lengthInTicks(piece);
  const fluid_setup::Settings settings = fluid_setup::makeSettings();
  const fluid_setup::Synth synth =
      fluid_setup::makeSynth(settings.get(), soundFont);
  if (!synth) {
    *error = sound_fonts::missingMessage();
    return false;
  }
  const fluid_setup::Player player =
      fluid_setup::makePlayer(synth.get(), piece);
  // An old file of the name stays until the new one is whole.
  WholeFile file(wavPath);
  Renderer renderer(synth.get(), settings.get(), file);
  if (!player || !file.open() || !renderer.start()) {
    file.commit();
    *error = file.errorText();
    return false;
  }
  fluid_player_play(player.get());
  const auto over = [&] {
    return fluid_setup::pieceOver(
        player.get(), fluid_player_get_current_tick(player.get()), ticks);
  };
  bool written = true;
  while (written && !over() && renderer.seconds() < maxSeconds)
    written = renderer.block();
  // Cut off by the guard, the player stops; at the end the last notes are
  // let go and ring out, as they do in the window's player.
  const bool stopped = !over();
  if (stopped) fluid_player_stop(player.get());
  if (cut) *cut = written && stopped;
  fluid_setup::releaseAllNotes(synth.get());
  if (!written || !renderer.tail() || !renderer.finish()) file.cancel();
  if (file.commit()) return true;
  *error = file.errorText();
  return false;
}

}  // namespace audio_render
