#include "files/core/LineReader.h"

#include <cstring>

namespace {
constexpr qsizetype BlockSize = 1 << 16;
}

bool LineReader::fill() {
  if (atEnd_) return false;
  buffer_.remove(0, pos_);
  pos_ = 0;
  const qsizetype old = buffer_.size();
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
  for (;;) {
    if (skipLf_) {
      if (pos_ >= buffer_.size() && !fill()) return false;
      skipLf_ = false;
      if (buffer_.at(pos_) == '\n') ++pos_;
    }
    const char *start = buffer_.constData() + pos_;
    // A long line without CR is searched only once, not again from its
    // start after every block.
    const qsizetype from = pos_ + scanned_;
    const char *cr = static_cast<const char *>(
        std::memchr(buffer_.constData() + from, '\r', buffer_.size() - from));
    if (cr) {
      scanned_ = 0;
      line = QByteArray(start, cr - start);
      pos_ += (cr - start) + 1;
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
      line = buffer_.mid(pos_);
      pos_ = buffer_.size();
      return true;
    }
  }
}
