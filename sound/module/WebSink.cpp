#include "sound/module/WebSink.h"

#include <algorithm>

namespace web_sink {
namespace {

bool encode(const std::vector<float> &samples, int channels, int sampleRate,
            QIODevice &device, audio_sink::Codec codec) {
  // In blocks, as the encoders take them best.
  constexpr size_t Block = 4096;
  const auto sink = audio_sink::compressed(device, codec, sampleRate, channels);
  if (!sink->start()) return false;
  const size_t frames = samples.size() / size_t(channels);
  for (size_t at = 0; at < frames; at += Block) {
    const int n = int(std::min(Block, frames - at));
    if (!sink->put(samples.data() + at * channels, n)) return false;
  }
  return sink->finish();
}

}  // namespace

bool write(std::vector<float> &samples, int channels, int sampleRate,
           QIODevice &mp3, QIODevice &ogg, loudness::Levels *levels) {
  const loudness::Levels reached =
      loudness::normalise(samples, channels, sampleRate);
  if (levels) *levels = reached;
  return encode(samples, channels, sampleRate, mp3, audio_sink::Codec::Mp3) &&
         encode(samples, channels, sampleRate, ogg, audio_sink::Codec::OggOpus);
}

}  // namespace web_sink
