#pragma once

#include <QIODevice>
#include <memory>

// Where the rendered sound goes: interleaved float samples, block by block.
namespace audio_sink {

class Sink {
 public:
  virtual ~Sink() = default;
  // Before the first block; false when the file cannot be begun.
  virtual bool start() = 0;
  // One block of `frames` frames; false when it could not be written.
  virtual bool put(const float *samples, int frames) = 0;
  // After the last block: everything held back is written; false on any
  // failure, the last pages included.
  virtual bool finish() = 0;
};

// An Ogg Vorbis encoder writing to `device` (which must take seeks): the
// channels given are mixed to one.
std::unique_ptr<Sink> vorbis(QIODevice &device, int sampleRate, int channels);

}  // namespace audio_sink
