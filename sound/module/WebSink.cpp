#include "sound/module/WebSink.h"

#include <vector>

namespace web_sink {
namespace {

class WebSink : public audio_sink::Sink {
 public:
  WebSink(QIODevice &mp3, QIODevice &ogg, int sampleRate, int channels,
          loudness::Levels *levels)
      : mp3_(mp3),
        ogg_(ogg),
        sampleRate_(sampleRate),
        channels_(channels),
        levels_(levels) {}

  bool start() override { return true; }
  bool put(const float *samples, int frames) override {
    samples_.insert(samples_.end(), samples, samples + frames * channels_);
    return true;
  }
  bool finish() override {
    const loudness::Levels levels =
        loudness::normalise(samples_, channels_, sampleRate_);
    if (levels_) *levels_ = levels;
    return encode(mp3_, audio_sink::Codec::Mp3) &&
           encode(ogg_, audio_sink::Codec::OggOpus);
  }

 private:
  bool encode(QIODevice &device, audio_sink::Codec codec) {
    // In blocks, as the encoders take them best.
    constexpr size_t Block = 4096;
    const auto sink =
        audio_sink::compressed(device, codec, sampleRate_, channels_);
    if (!sink->start()) return false;
    const size_t frames = samples_.size() / size_t(channels_);
    for (size_t at = 0; at < frames; at += Block) {
      const int n = int(std::min(Block, frames - at));
      if (!sink->put(samples_.data() + at * channels_, n)) return false;
    }
    return sink->finish();
  }

  QIODevice &mp3_, &ogg_;
  int sampleRate_, channels_;
  loudness::Levels *levels_;
  std::vector<float> samples_;
};

}  // namespace

std::unique_ptr<audio_sink::Sink> make(QIODevice &mp3, QIODevice &ogg,
                                       int sampleRate, int channels,
                                       loudness::Levels *levels) {
  return std::make_unique<WebSink>(mp3, ogg, sampleRate, channels, levels);
}

}  // namespace web_sink
