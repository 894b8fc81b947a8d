#include "sound/module/AudioSink.h"

#include <sndfile.h>

#include <vector>

namespace audio_sink {
namespace {

// Good enough for piano lessons at about 80 kbit/s.
constexpr double VorbisQuality = 0.4;

// libsndfile writes through these callbacks into the device, so the file
// is the caller's (an atomic one) and every short write is seen.
class VorbisSink : public Sink {
 public:
  VorbisSink(QIODevice &device, int sampleRate, int channels)
      : device_(device), sampleRate_(sampleRate), channels_(channels) {}
  // Stereo comes in; one channel goes out, which halves the encoder's work
  // (most of an export's time) and the download.
  static constexpr int OutChannels = 1;
  ~VorbisSink() override {
    if (file_) sf_close(file_);
  }

  bool start() override {
    SF_INFO info{};
    info.samplerate = sampleRate_;
    info.channels = OutChannels;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    file_ = sf_open_virtual(&io_, SFM_WRITE, &info, this);
    if (!file_) return false;
    double quality = VorbisQuality;
    sf_command(file_, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    return !failed_;
  }
  bool put(const float *samples, int frames) override {
    mono_.resize(frames);
    for (int i = 0; i < frames; ++i) {
      float sum = 0;
      for (int c = 0; c < channels_; ++c) sum += samples[i * channels_ + c];
      mono_[i] = sum / float(channels_);
    }
    return file_ && sf_writef_float(file_, mono_.data(), frames) == frames &&
           !failed_;
  }
  bool finish() override {
    if (!file_) return false;
    const int closed = sf_close(file_);
    file_ = nullptr;
    return closed == 0 && !failed_;
  }

 private:
  static VorbisSink &self(void *data) {
    return *static_cast<VorbisSink *>(data);
  }
  static sf_count_t length(void *data) { return self(data).device_.size(); }
  static sf_count_t seek(sf_count_t offset, int whence, void *data) {
    QIODevice &device = self(data).device_;
    const qint64 base = whence == SEEK_CUR   ? device.pos()
                        : whence == SEEK_END ? device.size()
                                             : 0;
    if (!device.seek(base + offset)) self(data).failed_ = true;
    return device.pos();
  }
  static sf_count_t read(void *, sf_count_t, void *) { return 0; }
  static sf_count_t write(const void *bytes, sf_count_t count, void *data) {
    VorbisSink &sink = self(data);
    if (sink.failed_) return 0;  // the file is lost already
    const qint64 written =
        sink.device_.write(static_cast<const char *>(bytes), count);
    if (written != count) sink.failed_ = true;
    return written < 0 ? 0 : written;
  }
  static sf_count_t tell(void *data) { return self(data).device_.pos(); }

  QIODevice &device_;
  int sampleRate_;
  int channels_;
  std::vector<float> mono_;
  bool failed_ = false;
  SNDFILE *file_ = nullptr;
  SF_VIRTUAL_IO io_{length, seek, read, write, tell};
};

}  // namespace

std::unique_ptr<Sink> vorbis(QIODevice &device, int sampleRate, int channels) {
  return std::make_unique<VorbisSink>(device, sampleRate, channels);
}

}  // namespace audio_sink
