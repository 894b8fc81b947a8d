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

enum class Codec { OggOpus, Mp3 };

// A compressed file for web pages, written to `device` whole when the sink
// finishes. The same samples give the same bytes on every run: the Ogg
// stream's serial number, random in the encoder, is made a fixed one.
std::unique_ptr<Sink> compressed(QIODevice &device, Codec codec, int sampleRate,
                                 int channels);

// Gives every page of an Ogg stream the same serial number, its checksums
// made anew; false when the bytes are not whole Ogg pages.
bool fixOggSerial(QByteArray &ogg, quint32 serial);

}  // namespace audio_sink
