#include "sound/module/AudioRender.h"

#include <QFileInfo>
#include <QList>
#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>

#include "base/core/WholeFile.h"
#include "sound/core/SoundFonts.h"
#include "sound/core/StandardMidiFile.h"
#include "sound/module/AudioSink.h"
#include "sound/module/FluidSynthSetup.h"
#include "sound/module/WebSink.h"

namespace audio_render {
namespace {

// QuietDbfs as a sample's size, half a 16-bit step under it, so that the
// samples written are below it too.
const float QuietPeak = float(std::pow(10.0, QuietDbfs / 20) - 0.5 / 32767);

// 16-bit stereo PCM, as the canonical 44-byte WAV header describes it.
constexpr int Channels = 2, BytesPerFrame = Channels * 2;

// Opus takes 48 kHz, and MP3 does as well as at 44.1 kHz.
constexpr int WebSampleRate = 48000;

// The data size of a WAV file whose length is not known when it starts.
constexpr quint32 UnknownSize = 0xFFFFFFFFu - 36;

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

// Takes the WAV file's 16-bit samples, every write checked.
class WavSink : public audio_sink::Sink {
 public:
  explicit WavSink(WholeFile &out) : file_(out), out_(out.device()) {}
  // A stream cannot be gone back to for the sizes: its header says the
  // sound runs to the end, as WAV writers into pipes do.
  bool start() override {
    return out_.write(wavHeader(file_.isStream() ? UnknownSize : 0)) == 44;
  }
  bool put(const float *samples, int frames) override {
    pcm_.resize(qsizetype(frames) * BytesPerFrame);
    for (qsizetype i = 0; i < qsizetype(frames) * Channels; ++i) {
      const float scaled = samples[i] * 32767.0f;
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
  bool finish() override {
    if (file_.isStream()) return file_.flush();
    return dataBytes_ <= 0xFFFFFFFFu - 36 && file_.flush() && out_.seek(0) &&
           out_.write(wavHeader(quint32(dataBytes_))) == 44;
  }

 private:
  WholeFile &file_;
  QIODevice &out_;
  QByteArray pcm_;
  qint64 dataBytes_ = 0;
};

// The synthesizer's sound, block by block, into a sink.
class Renderer {
 public:
  Renderer(fluid_synth_t *synth, fluid_settings_t *settings,
           audio_sink::Sink &sink, int sampleRate)
      : synth_(synth), sink_(sink) {
    fluid_settings_getint(settings, "audio.period-size", &frames_);
    frames_ = std::max(frames_, 1);
    samples_.resize(frames_ * Channels);
    blockSeconds_ = double(frames_) / sampleRate;
  }
  // Renders one block; false when the sink cannot take it.
  bool block() {
    seconds_ += blockSeconds_;
    fluid_synth_write_float(synth_, frames_, samples_.data(), 0, Channels,
                            samples_.data(), 1, Channels);
    return sink_.put(samples_.data(), frames_);
  }
  double seconds() const { return seconds_; }

  // The notes' release and the reverberation, until they have died away or
  // the tail's limit is reached.
  bool tail() {
    const double limit = seconds_ + MaxTailSeconds;
    double quiet = 0;
    while (quiet < QuietSeconds && seconds_ + blockSeconds_ <= limit) {
      if (!block()) return false;
      const bool silent =
          std::all_of(samples_.cbegin(), samples_.cend(),
                      [](float s) { return std::abs(s) < QuietPeak; });
      quiet = silent ? quiet + blockSeconds_ : 0;
    }
    return true;
  }

 private:
  fluid_synth_t *synth_;
  audio_sink::Sink &sink_;
  int frames_ = 64;
  QList<float> samples_;
  double blockSeconds_ = 0;
  double seconds_ = 0;
};

// Renders the piece into the sink, which writes `file` (or, when there is
// none, keeps the sound); see renderToWav.
bool render(const QByteArray &piece, const QString &soundFont, WholeFile *file,
            audio_sink::Sink &sink, QString *error, bool *cut,
            double maxSeconds, int sampleRate = fluid_setup::SampleRate,
            const std::atomic<bool> *stop = nullptr) {
  fluid_setup::quietLog();
  const qint64 ticks = standard_midi::lengthInTicks(piece);
  const fluid_setup::Settings settings = fluid_setup::makeSettings(sampleRate);
  const fluid_setup::Synth synth =
      fluid_setup::makeSynth(settings.get(), soundFont);
  if (!synth) {
    *error = sound_fonts::missingMessage();
    return false;
  }
  const fluid_setup::Player player =
      fluid_setup::makePlayer(synth.get(), piece);
  Renderer renderer(synth.get(), settings.get(), sink, sampleRate);
  if (!player || (file && !file->open()) || !sink.start()) {
    if (file) file->commit();
    *error = file && !file->errorText().isEmpty()
                 ? file->errorText()
                 : QStringLiteral("曲を鳴らせません。");
    return false;
  }
  fluid_player_play(player.get());
  const auto over = [&] {
    return fluid_setup::pieceOver(
        player.get(), fluid_player_get_current_tick(player.get()), ticks);
  };
  bool written = true;
  const auto stopped = [stop] { return stop && stop->load(); };
  while (written && !over() && renderer.seconds() < maxSeconds && !stopped())
    written = renderer.block();
  if (stopped()) {
    if (file) {
      file->cancel();
      file->commit();
    }
    *error = QStringLiteral("中止しました。");
    return false;
  }
  // Cut off by the guard, the player stops; at the end the last notes are
  // let go and ring out, as they do in the window's player.
  const bool unfinished = !over();
  if (unfinished) fluid_player_stop(player.get());
  if (cut) *cut = written && unfinished;
  fluid_setup::releaseAllNotes(synth.get());
  const bool whole = written && renderer.tail() && sink.finish();
  if (!file) return whole;
  if (!whole) file->cancel();
  if (file->commit()) return true;
  *error = file->errorText();
  return false;
}

}  // namespace

bool renderToWav(const QByteArray &piece, const QString &soundFont,
                 const QString &wavPath, QString *error, bool *cut,
                 double maxSeconds) {
  // An old file of the name stays until the new one is whole.
  WholeFile file(wavPath);
  WavSink sink(file);
  return render(piece, soundFont, &file, sink, error, cut, maxSeconds);
}

bool renderForWeb(const QByteArray &piece, const QString &soundFont,
                  const QString &stemPath, QString *error,
                  loudness::Levels *levels, const std::atomic<bool> *stop) {
  web_sink::Collector sound(Channels);
  {
    // Two synthesizers rendering at once in one process now and then
    // render a piece a little differently, and a site must come out the
    // same on every export: the pieces are synthesized one at a time, and
    // only the encoders, most of the work, run side by side.
    static std::mutex synthesizing;
    const std::lock_guard lock(synthesizing);
    if (!render(piece, soundFont, nullptr, sound, error, nullptr,
                MaxPieceSeconds, WebSampleRate, stop))
      return false;
  }
  WholeFile mp3(stemPath + QStringLiteral(".mp3")),
      ogg(stemPath + QStringLiteral(".ogg"));
  if (!mp3.open() || !ogg.open() ||
      !web_sink::write(sound.samples(), Channels, WebSampleRate, mp3.device(),
                       ogg.device(), levels)) {
    mp3.cancel();
    ogg.cancel();
  }
  // Both files or neither: an MP3 put in place goes again when its Ogg
  // file fails.
  const bool mp3Written = mp3.commit();
  if (mp3Written && ogg.commit()) return true;
  *error = mp3Written ? ogg.errorText() : mp3.errorText();
  if (mp3Written) QFile::remove(stemPath + QStringLiteral(".mp3"));
  return false;
}

}  // namespace audio_render
