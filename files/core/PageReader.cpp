// The reading half of the page file: the page block out of any text, the
// fields of the data payload, the page text and the stored-name check.

#include <QBuffer>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "base/core/Cp932.h"
#include "files/core/LineReader.h"
#include "files/core/PageFormat.h"
#include "files/core/WordScan.h"

namespace page_format {

namespace {

// Appends the line without its marker. Growing by hand is much cheaper
// than QByteArray::append for the many short lines of a page.
void appendRest(QByteArray &payload, const QByteArray &line) {
  const qsizetype old = payload.size();
  const qsizetype added = line.size() - 1;
  if (old + added > payload.capacity())
    payload.reserve(std::max(2 * payload.capacity(), old + added));
  payload.resize(old + added);
  std::memcpy(payload.data() + old, line.constData() + 1, added);
}

bool hasMarker(const QByteArray &line, const char (&marker)[5]) {
  return line.size() >= 4 && std::memcmp(line.constData(), marker, 4) == 0;
}

// Letters A-Z as a-z, leaving double-byte characters (whose trail bytes
// can be letters) alone.
QByteArray lowerSingleBytes(QByteArray text) {
  char *p = text.data();
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const auto b = static_cast<unsigned char>(p[i]);
    if (cp932::isLeadByte(b))
      ++i;
    else if (b >= 'A' && b <= 'Z')
      p[i] = static_cast<char>(b - 'A' + 'a');
  }
  return text;
}

using word_scan::Highs;
using word_scan::Ones;
using word_scan::wordAt;
constexpr bool WordScan = word_scan::Enabled;

// Bit 7 of every byte of the word that is "|", no other bit.
constexpr quint64 barBits(quint64 word) {
  return word_scan::byteBits(word, '|');
}

// Number of "|" bytes, trail bytes included: an upper bound for sizes.
qsizetype countBars(const QByteArray &text) {
  const char *p = text.constData();
  const qsizetype n = text.size();
  qsizetype count = 0, i = 0;
  if constexpr (WordScan)
    for (; i + 8 <= n; i += 8)
      count += ((barBits(wordAt(p + i)) >> 7) * Ones) >> 56;
  for (; i < n; ++i) count += p[i] == '|';
  return count;
}

// Finds the single-byte "|" bytes of a payload one after the other.
class CutFinder {
 public:
  CutFinder(const char *p, qsizetype n) : p_(p), n_(n) {}

  // Position of the next cut, or n when there is none.
  qsizetype next() {
    for (;;) {
      if (bars_ != 0) {
        const qsizetype at = wordStart_ + std::countr_zero(bars_) / 8;
        bars_ &= bars_ - 1;
        return at;
      }
      if (i_ >= n_) return n_;
      if (WordScan && i_ + 8 <= n_) {
        const quint64 word = wordAt(p_ + i_);
        if ((word & Highs) == 0) {  // plain ASCII: every "|" is a cut
          wordStart_ = i_;
          bars_ = barBits(word);
          i_ += 8;
          continue;
        }
      }
      const auto b = static_cast<unsigned char>(p_[i_]);
      if (cp932::isLeadByte(b)) {
        i_ += 2;  // its trail byte, whatever it is, is never a cut
      } else if (p_[i_++] == '|') {
        return i_ - 1;
      }
    }
  }

 private:
  const char *p_;
  qsizetype n_;
  qsizetype i_ = 0;
  qsizetype wordStart_ = 0;
  quint64 bars_ = 0;  // cuts of the word at wordStart_ not yet given out
};

// Position of the next single-byte "|" at or after `from`, which must start
// a character; n when there is none. A byte outside the lead range always
// ends a character, so a "|" is a trail byte exactly when an odd run of
// lead-range bytes stands right before it. This lets memchr do the walking.
qsizetype nextCut(const char *p, qsizetype from, qsizetype n) {
  for (;;) {
    const void *bar = std::memchr(p + from, '|', n - from);
    if (!bar) return n;
    const qsizetype at = static_cast<const char *>(bar) - p;
    qsizetype run = 0;
    while (at - run > from &&
           cp932::isLeadByte(static_cast<unsigned char>(p[at - run - 1])))
      ++run;
    if (run % 2 == 0) return at;
    from = at + 1;  // it ended a double-byte character
  }
}

}  // namespace

PageBlock readPageBlock(QIODevice &device, bool *readError) {
  LineReader reader(device);
  PageBlock block;
  QByteArray line;
  while (reader.next(line)) {
    // The markers begin with different bytes, so the order of the tests
    // does not matter.
    const char first = line.isEmpty() ? '\0' : line.front();
    if (first == 'F' && hasMarker(line, "Fum[")) {
      // The last byte, normally "]", is dropped unchecked.
      block.internalName =
          line.size() > 5 ? line.mid(4, line.size() - 5) : QByteArray();
    } else if (first == 'E' && hasMarker(line, "End[")) {
      break;
    } else if (block.internalName.isEmpty()) {
      continue;
    } else if (first == '~') {
      appendRest(block.textPayload, line);
    } else if (first == '^') {
      appendRest(block.dataPayload, line);
    }
  }
  if (readError) *readError = reader.failed();
  return block;
}

PageBlock readPageBlock(const QByteArray &bytes) {
  QByteArray shared = bytes;  // QBuffer wants a non-const array; no copy
  QBuffer buffer(&shared);
  buffer.open(QIODevice::ReadOnly);
  return readPageBlock(buffer);
}

DataFields splitDataPayload(const QByteArray &payload) {
  DataFields fields;
  // Every byte of the payload and an input for every three "|" bytes are
  // more than the list can take, which bounds the memory of a page by a few
  // times its payload, however it is made. A "|" does not always cut: it
  // may be the trail byte of a character ("ポ" is 0x83 0x7C).
  const qsizetype cutCount = countBars(payload);
  const qsizetype mostBytes = payload.size();
  if (mostBytes > InputList::MaxBytes) {
    fields.tooLarge = true;
    return fields;
  }
  {
    // The list takes its final size when the filler goes.
    InputList::Filler inputs(fields.inputs, mostBytes, cutCount / 3);
    QByteArray *const header[] = {&fields.protect, &fields.staffCount,
                                  &fields.staffWidth};
    QByteArrayView input[3];
    const char *p = payload.constData();
    const qsizetype n = payload.size();
    CutFinder cuts(p, n);
    int j = 0;  // field of the input being read
    for (qsizetype start = 0, cut; (cut = cuts.next()) < n; start = cut + 1) {
      const QByteArrayView field(p + start, cut - start);
      if (fields.fieldCount < 3) {
        *header[fields.fieldCount] = field.toByteArray();
      } else {
        input[j] = field;
        if (++j == 3) {
          j = 0;
          inputs.add(input[0], input[1], input[2]);
        }
      }
      ++fields.fieldCount;
    }
  }
  return fields;
}

QByteArray decodeTextPayload(const QByteArray &payload) {
  const char *p = payload.constData();
  const qsizetype n = payload.size();
  QByteArray out(n + countBars(payload), Qt::Uninitialized);
  char *o = out.data();
  for (qsizetype start = 0; start < n;) {
    const qsizetype cut = nextCut(p, start, n);
    std::memcpy(o, p + start, cut - start);
    o += cut - start;
    if (cut < n) {
      *o++ = '\r';
      *o++ = '\n';
    }
    start = cut + 1;
  }
  out.truncate(o - out.constData());
  return out;
}

bool internalNameMatches(const QByteArray &internalName, const QString &path) {
  const QByteArray name =
      cp932::fromUnicode(QFileInfo(path).completeBaseName());
  return lowerSingleBytes(internalName) == lowerSingleBytes(name);
}

}  // namespace page_format
