#include "files/core/LineReader.h"

#include <bit>
#include <cstring>

#include "files/core/WordScan.h"

namespace {

constexpr qsizetype BlockSize = 1 << 16;

// The first CR or LF in [p, end), or null.
const char *findLineEnd(const char *p, const char *end) {
#if defined(__SSE2__)
  for (; end - p >= word_scan::BlockSize; p += word_scan::BlockSize) {
    const __m128i block = word_scan::blockAt(p);
    const unsigned ends =
        word_scan::blockBits(block, '\r') | word_scan::blockBits(block, '\n');
    if (ends) return p + std::countr_zero(ends);
  }
#endif
  if constexpr (word_scan::Enabled) {
    for (; end - p >= 8; p += 8) {
      const quint64 word = word_scan::wordAt(p);
      const quint64 ends =
          word_scan::byteBits(word, '\r') | word_scan::byteBits(word, '\n');
      if (ends) return p + std::countr_zero(ends) / 8;
    }
  }
  for (; p < end; ++p)
    if (*p == '\r' || *p == '\n') return p;
  return nullptr;
}

}  // namespace

bool LineReader::fill() {
  if (atEnd_) return false;
  // The rest of the last block moves to the front by hand: QByteArray's
  // remove would leave the room at the front, and the next resize would
  // make a fresh buffer for every block.
  const qsizetype old = buffer_.size() - pos_;
  if (pos_ > 0 && old > 0)
    std::memmove(buffer_.data(), buffer_.constData() + pos_, old);
  pos_ = 0;
  buffer_.resize(old + BlockSize);
  const qint64 got = device_.read(buffer_.data() + old, BlockSize);
  if (got < 0) failed_ = true;
  buffer_.resize(old + (got > 0 ? got : 0));
  if (got <= 0) {
    atEnd_ = true;
    return false;
  }
  // Everything from a 0x1A on is not part of the file.
  const char *eof = static_cast<const char *>(
      std::memchr(buffer_.constData() + old, 0x1A, got));
  if (eof) {
    buffer_.truncate(eof - buffer_.constData());
    atEnd_ = true;
  }
  return true;
}

bool LineReader::next(QByteArray &line) {
  QByteArrayView view;
  if (!next(view)) return false;
  line = view.toByteArray();
  return true;
}

bool LineReader::next(QByteArrayView &line) {
  for (;;) {
    if (skipLf_) {
      if (pos_ >= buffer_.size() && !fill()) return false;
      skipLf_ = false;
      // The block may have ended at the end mark, leaving nothing to skip.
      if (pos_ < buffer_.size() && buffer_.at(pos_) == '\n') ++pos_;
    }
    const char *start = buffer_.constData() + pos_;
    // A long line is searched only once, not again from its start after
    // every block.
    const qsizetype from = pos_ + scanned_;
    const char *stop = findLineEnd(buffer_.constData() + from,
                                   buffer_.constData() + buffer_.size());
    if (stop) {
      scanned_ = 0;
      line = QByteArrayView(start, stop - start);
      pos_ += (stop - start) + 1;
      if (*stop == '\n') return true;
      if (pos_ < buffer_.size()) {
        if (buffer_.at(pos_) == '\n') ++pos_;
      } else {
        skipLf_ = true;
      }
      return true;
    }
    scanned_ = buffer_.size() - pos_;
    if (!fill()) {
      scanned_ = 0;
      if (pos_ >= buffer_.size()) return false;
      line = QByteArrayView(buffer_).sliced(pos_);
      pos_ = buffer_.size();
      return true;
    }
  }
}
