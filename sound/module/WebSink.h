#pragma once

#include <QIODevice>
#include <vector>

#include "sound/module/AudioSink.h"
#include "sound/module/Loudness.h"

// The sound of a web page: the whole piece is held, brought to the common
// loudness, then encoded as MP3 (which every browser plays) and as Opus,
// each into its own device.
namespace web_sink {

// Holds what is rendered, as it comes.
class Collector : public audio_sink::Sink {
 public:
  explicit Collector(int channels) : channels_(channels) {}
  bool start() override { return true; }
  bool put(const float *samples, int frames) override {
    samples_.insert(samples_.end(), samples, samples + frames * channels_);
    return true;
  }
  bool finish() override { return true; }
  std::vector<float> &samples() { return samples_; }

 private:
  int channels_;
  std::vector<float> samples_;
};

// Brings the samples to the common loudness and encodes them into both
// devices; false when an encoder or a device fails.
bool write(std::vector<float> &samples, int channels, int sampleRate,
           QIODevice &mp3, QIODevice &ogg, loudness::Levels *levels = nullptr);

}  // namespace web_sink
