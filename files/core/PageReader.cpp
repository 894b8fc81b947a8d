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
void appendRest(QByteArray &payload, QByteArrayView line) {
  const qsizetype old = payload.size();
  const qsizetype added = line.size() - 1;
  if (old + added > payload.capacity())
    payload.reserve(std::max(2 * payload.capacity(), old + added));
  payload.resize(old + added);
  std::memcpy(payload.data() + old, line.data() + 1, added);
}

bool hasMarker(QByteArrayView line, const char (&marker)[5]) {
  return line.size() >= 4 && std::memcmp(line.data(), marker, 4) == 0;
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
qsizetype countBars(QByteArrayView text) {
  const char *p = text.data();
  const qsizetype n = text.size();
  qsizetype count = 0, i = 0;
#if defined(__SSE2__)
  for (; i + word_scan::BlockSize <= n; i += word_scan::BlockSize)
    count += word_scan::maskBitCount(
        word_scan::blockBits(word_scan::blockAt(p + i), '|'));
#endif
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
        const qsizetype at = wordStart_ + (std::countr_zero(bars_) >> shift_);
        bars_ &= bars_ - 1;
        return at;
      }
      if (i_ >= n_) return n_;
#if defined(__SSE2__)
      if (i_ + word_scan::BlockSize <= n_) {
        const __m128i block = word_scan::blockAt(p_ + i_);
        const unsigned high = word_scan::highBits(block);
        // Bytes before the first non-ASCII one are characters of their own,
        // so each "|" among them is a cut.
        const unsigned plain = high ? (high & (0u - high)) - 1 : 0xFFFFu;
        wordStart_ = i_;
        bars_ = word_scan::blockBits(block, '|') & plain;
        shift_ = 0;
        if (!high) {
          i_ += word_scan::BlockSize;
          continue;
        }
        i_ += std::countr_zero(high);
        // The non-ASCII byte: a lead byte takes its trail byte, whatever
        // it is, with it.
        i_ += cp932::isLeadByte(static_cast<unsigned char>(p_[i_])) ? 2 : 1;
        continue;
      }
#endif
      if (WordScan && i_ + 8 <= n_) {
        const quint64 word = wordAt(p_ + i_);
        if ((word & Highs) == 0) {  // plain ASCII: every "|" is a cut
          wordStart_ = i_;
          bars_ = barBits(word);
          shift_ = 3;
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
  // Cuts of the block or word at wordStart_ not yet given out: bit j for
  // byte j of a block, bit 8 j + 7 for byte j of a word.
  quint64 bars_ = 0;
  int shift_ = 0;
};

// Writes the position of every single-byte "|" at or after `from`, which
// must start a character, to `out` and returns how many there are. `out`
// must have room for every "|" byte and BlockSize more: the positions of a
// block are written eight at a time whatever their number, so that the
// many short fields of a page cost no branch each.
qsizetype findCuts(const char *p, qsizetype from, qsizetype n, quint32 *out) {
  quint32 *o = out;
  qsizetype i = from;
#if defined(__SSE2__)
  while (i + word_scan::BlockSize <= n) {
    const __m128i block = word_scan::blockAt(p + i);
    const unsigned high = word_scan::highBits(block);
    // Bytes before the first non-ASCII one are characters of their own, so
    // each "|" among them is a cut.
    const unsigned plain = high ? (high & (0u - high)) - 1 : 0xFFFFu;
    unsigned bars = word_scan::blockBits(block, '|') & plain;
    const int count = word_scan::maskBitCount(bars);
    for (quint32 *w = o; bars; w += 8) {
      for (int k = 0; k < 8; ++k) {
        w[k] = static_cast<quint32>(i + std::countr_zero(bars));
        bars &= bars - 1;
      }
    }
    o += count;
    if (!high) {
      i += word_scan::BlockSize;
      continue;
    }
    i += std::countr_zero(high);
    // The non-ASCII byte: a lead byte takes its trail byte, whatever it
    // is, with it.
    i += cp932::isLeadByte(static_cast<unsigned char>(p[i])) ? 2 : 1;
  }
#endif
  while (i < n) {
    if (cp932::isLeadByte(static_cast<unsigned char>(p[i])))
      i += 2;
    else if (p[i++] == '|')
      *o++ = static_cast<quint32>(i - 1);
  }
  return o - out;
}

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
  // The payloads of a page take most of its file: room for the rest of the
  // file saves growing them line by line. Capped, so a huge file is still
  // never held whole; the unused room goes at the end (for the text, once
  // it is decoded, which first needs a little more room).
  if (!device.isSequential()) {
    const qint64 rest = std::min<qint64>(device.size() - device.pos(), 1 << 26);
    if (rest > 0) {
      block.textPayload.reserve(rest);
      block.dataPayload.reserve(rest);
    }
  }
  QByteArrayView line;
  while (reader.next(line)) {
    // The markers begin with different bytes, so the order of the tests
    // does not matter.
    const char first = line.isEmpty() ? '\0' : line.front();
    if (first == 'F' && hasMarker(line, "Fum[")) {
      // The last byte, normally "]", is dropped unchecked.
      block.internalName = line.size() > 5
                               ? line.sliced(4, line.size() - 5).toByteArray()
                               : QByteArray();
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
  block.dataPayload.squeeze();
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
  const char *p = payload.constData();
  const qsizetype n = payload.size();
  if (n > InputList::MaxBytes) {
    fields.tooLarge = true;
    return fields;
  }
  CutFinder cuts(p, n);
  qsizetype start = 0;
  QByteArray *const header[] = {&fields.protect, &fields.staffCount,
                                &fields.staffWidth};
  for (QByteArray *field : header) {
    const qsizetype cut = cuts.next();
    if (cut == n) return fields;
    *field = QByteArray(p + start, cut - start);
    start = cut + 1;
    ++fields.fieldCount;
  }
  // The rest of the payload and a field for every "|" left are more than
  // the list can take, which bounds the memory of a page by a few times its
  // payload, however it is made. A "|" does not always cut: it may be the
  // trail byte of a character ("ポ" is 0x83 0x7C).
  const qsizetype mostCuts = countBars(QByteArrayView(payload).sliced(start));
  // The list takes its final size, whole inputs only, when the filler goes.
  InputList::Filler inputs(fields.inputs, QByteArrayView(payload), mostCuts);
  inputs.takeCuts(start, findCuts(p, start, n, inputs.cutSlots()));
  fields.fieldCount += static_cast<int>(inputs.fieldCount());
  return fields;
}

QByteArray decodeTextPayload(QByteArray payload) {
  const qsizetype n = payload.size();
  qsizetype cuts = 0;
  for (qsizetype at = nextCut(payload.constData(), 0, n); at < n;
       at = nextCut(payload.constData(), at + 1, n))
    ++cuts;
  if (cuts == 0) {
    payload.squeeze();
    return payload;
  }
  // The text is the payload with each cut one byte longer: it is widened in
  // place from the back, so that reading a page makes no second copy of its
  // text.
  payload.resize(n + cuts);
  char *p = payload.data();
  qsizetype unmoved = n;     // bytes [0, unmoved) are still where they were
  qsizetype out = n + cuts;  // and [out, n + cuts) are decoded
  qsizetype search = n;      // the next "|" to look at lies before this
  while (cuts > 0) {
    // There is a cut, so a "|", before `search`.
    const qsizetype at = static_cast<const char *>(memrchr(p, '|', search)) - p;
    search = at;
    // A "|" is a trail byte exactly when an odd run of lead-range bytes
    // stands right before it; its character stays whole.
    qsizetype run = 0;
    while (at - run > 0 &&
           cp932::isLeadByte(static_cast<unsigned char>(p[at - run - 1])))
      ++run;
    if (run % 2 != 0) continue;
    const qsizetype piece = unmoved - (at + 1);
    out -= piece;
    std::memmove(p + out, p + at + 1, piece);
    p[--out] = '\n';
    p[--out] = '\r';
    unmoved = at;
    --cuts;
  }
  payload.squeeze();  // shrinking keeps the block where it is
  return payload;
}

bool internalNameMatches(const QByteArray &internalName, const QString &path) {
  const QByteArray name =
      cp932::fromUnicode(QFileInfo(path).completeBaseName());
  return lowerSingleBytes(internalName) == lowerSingleBytes(name);
}

}  // namespace page_format
