#include "sound/module/AudioSink.h"

#include <sndfile.h>

#include <QBuffer>
#include <array>

namespace audio_sink {
namespace {

// 40 kbit/s of joint-stereo MP3 and about 20 kbit/s of Opus: piano lessons
// still sound clean, and the bundled course's site stays under 2.5 MB for a
// slow school line (libsndfile's levels, from 0 for the largest file to 1
// for the smallest).
constexpr double Mp3Compression = 0.97;
constexpr double OpusCompression = 0.985;

// Any number does, as long as it is always the same.
constexpr quint32 OggSerial = 0x56524E4C;  // "VRNL"

// libsndfile writes through these callbacks into a buffer, which goes to
// the device whole once the encoder has closed it.
class CompressedSink : public Sink {
 public:
  CompressedSink(QIODevice &device, Codec codec, int sampleRate, int channels)
      : device_(device),
        codec_(codec),
        sampleRate_(sampleRate),
        channels_(channels) {
    buffer_.open(QIODevice::ReadWrite);
  }
  ~CompressedSink() override {
    if (file_) sf_close(file_);
  }

  bool start() override {
    SF_INFO info{};
    info.samplerate = sampleRate_;
    info.channels = channels_;
    info.format = codec_ == Codec::OggOpus
                      ? SF_FORMAT_OGG | SF_FORMAT_OPUS
                      : SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    file_ = sf_open_virtual(&io_, SFM_WRITE, &info, this);
    if (!file_) return false;
    if (codec_ == Codec::OggOpus) {
      double level = OpusCompression;
      if (!sf_command(file_, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level))
        return false;
    } else {
      // A constant rate lets a browser tell the length and seek even from
      // a server that sends the file only whole. (libsndfile 1.2 answers
      // this command with 0 even when it takes it.)
      int mode = SF_BITRATE_MODE_CONSTANT;
      double level = Mp3Compression;
      sf_command(file_, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
      if (!sf_command(file_, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level))
        return false;
    }
    return true;
  }
  bool put(const float *samples, int frames) override {
    return file_ && sf_writef_float(file_, samples, frames) == frames;
  }
  bool finish() override {
    if (!file_) return false;
    const int closed = sf_close(file_);
    file_ = nullptr;
    QByteArray &bytes = buffer_.buffer();
    if (closed != 0 ||
        (codec_ == Codec::OggOpus && !fixOggSerial(bytes, OggSerial)))
      return false;
    return device_.write(bytes) == bytes.size();
  }

 private:
  static QBuffer &out(void *data) {
    return static_cast<CompressedSink *>(data)->buffer_;
  }
  static sf_count_t length(void *data) { return out(data).size(); }
  static sf_count_t seek(sf_count_t offset, int whence, void *data) {
    QBuffer &buffer = out(data);
    const qint64 base = whence == SEEK_CUR   ? buffer.pos()
                        : whence == SEEK_END ? buffer.size()
                                             : 0;
    buffer.seek(base + offset);
    return buffer.pos();
  }
  static sf_count_t read(void *bytes, sf_count_t count, void *data) {
    return out(data).read(static_cast<char *>(bytes), count);
  }
  static sf_count_t write(const void *bytes, sf_count_t count, void *data) {
    return out(data).write(static_cast<const char *>(bytes), count);
  }
  static sf_count_t tell(void *data) { return out(data).pos(); }

  QIODevice &device_;
  Codec codec_;
  int sampleRate_;
  int channels_;
  QBuffer buffer_;
  SNDFILE *file_ = nullptr;
  SF_VIRTUAL_IO io_{length, seek, read, write, tell};
};

// Ogg's page checksum: CRC-32 with polynomial 0x04C11DB7, not reflected.
quint32 oggCrc(const char *bytes, qsizetype size) {
  static const std::array<quint32, 256> table = [] {
    std::array<quint32, 256> t{};
    for (quint32 i = 0; i < 256; ++i) {
      quint32 r = i << 24;
      for (int k = 0; k < 8; ++k)
        r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
      t[i] = r;
    }
    return t;
  }();
  quint32 crc = 0;
  for (qsizetype i = 0; i < size; ++i)
    crc = (crc << 8) ^ table[((crc >> 24) ^ quint8(bytes[i])) & 0xFF];
  return crc;
}

void putLittle(char *at, quint32 value) {
  for (int i = 0; i < 4; ++i) at[i] = char((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::unique_ptr<Sink> compressed(QIODevice &device, Codec codec, int sampleRate,
                                 int channels) {
  return std::make_unique<CompressedSink>(device, codec, sampleRate, channels);
}

bool fixOggSerial(QByteArray &ogg, quint32 serial) {
  constexpr qsizetype Header = 27;
  qsizetype at = 0;
  while (at < ogg.size()) {
    if (ogg.size() - at < Header || !ogg.mid(at, 4).startsWith("OggS"))
      return false;
    const int segments = quint8(ogg[at + 26]);
    if (ogg.size() - at < Header + segments) return false;
    qsizetype size = Header + segments;
    for (int s = 0; s < segments; ++s) size += quint8(ogg[at + Header + s]);
    if (ogg.size() - at < size) return false;
    char *page = ogg.data() + at;
    putLittle(page + 14, serial);
    putLittle(page + 22, 0);
    putLittle(page + 22, oggCrc(page, size));
    at += size;
  }
  return true;
}

}  // namespace audio_sink
