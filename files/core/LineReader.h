#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

// Reads a text file line by line the way page and contents files are read:
// a line ends at CR LF, at a CR alone or at a LF alone, so that files from
// Windows, from Linux editors and from old Macs all read the same; a byte
// 0x1A ends the file. The device is read in blocks, so a file of any size is
// read without holding it whole.
class LineReader {
 public:
  explicit LineReader(QIODevice &device) : device_(device) {}

  // The next line without its end, or false at the end of the file.
  bool next(QByteArray &line);
  // The same without a copy: the view lies in the reader's buffer and is
  // valid until the next call.
  bool next(QByteArrayView &line);
  // True when the device reported an error while reading.
  bool failed() const { return failed_; }

 private:
  bool fill();

  QIODevice &device_;
  QByteArray buffer_;
  qsizetype pos_ = 0;
  qsizetype scanned_ = 0;  // bytes of the current line known to hold no end
  bool atEnd_ = false;
  bool failed_ = false;
  bool skipLf_ = false;  // the last line ended at a CR at a block's end
};
