// The reading half of the page file: the page block out of any text, the
// fields of the data payload, the page text and the stored-name check.

#include <QBuffer>
#include <QFileInfo>
#include <cstring>

#include "files/core/Cp932.h"
#include "files/core/LineReader.h"
#include "files/core/PageFormat.h"

namespace page_format {

namespace {

void appendRest(QByteArray &payload, const QByteArray &line) {
  payload.append(line.constData() + 1, line.size() - 1);
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

// Number of "|" bytes, trail bytes included: an upper bound for sizes.
qsizetype countBars(const QByteArray &text) {
  qsizetype count = 0;
  const char *p = text.constData();
  const char *const end = p + text.size();
  while ((p = static_cast<const char *>(std::memchr(p, '|', end - p)))) {
    ++count;
    ++p;
  }
  return count;
}

}  // namespace

PageBlock readPageBlock(QIODevice &device, bool *readError) {
  LineReader reader(device);
  PageBlock block;
  QByteArray line;
  while (reader.next(line)) {
    if (line.startsWith("Fum[")) {
      // The last byte, normally "]", is dropped unchecked.
      block.internalName =
          line.size() > 5 ? line.mid(4, line.size() - 5) : QByteArray();
    } else if (line.startsWith("End[")) {
      break;
    } else if (block.internalName.isEmpty()) {
      continue;
    } else if (line.startsWith('~')) {
      appendRest(block.textPayload, line);
    } else if (line.startsWith('^')) {
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
  // Indexed by the field counter k, which runs 1, 2, 0, 1, 2, 0, ...
  QByteArray *const header[] = {&fields.staffWidth, &fields.protect,
                                &fields.staffCount};
  QList<QByteArray> *const inputs[] = {&fields.y, &fields.content, &fields.x};
  const qsizetype expected = countBars(payload) / 3;
  for (QList<QByteArray> *list : inputs) list->reserve(expected);

  const char *p = payload.constData();
  const qsizetype n = payload.size();
  int k = 0;
  qsizetype fieldStart = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const auto b = static_cast<unsigned char>(p[i]);
    if (cp932::isLeadByte(b)) {
      ++i;  // its trail byte, whatever it is, is never a cut
      continue;
    }
    if (b != '|') continue;
    QByteArray field(p + fieldStart, i - fieldStart);
    fieldStart = i + 1;
    k = (k + 1) % 3;
    if (++fields.fieldCount <= 3)
      *header[k] = std::move(field);
    else
      inputs[k]->append(std::move(field));
  }
  // An input cut short at the end would leave the lists of unequal length.
  fields.content.resize(fields.y.size());
  fields.x.resize(fields.y.size());
  return fields;
}

QByteArray decodeTextPayload(const QByteArray &payload) {
  const char *p = payload.constData();
  const qsizetype n = payload.size();
  QByteArray out(n + countBars(payload), Qt::Uninitialized);
  char *o = out.data();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = p[i];
    if (cp932::isLeadByte(static_cast<unsigned char>(c))) {
      *o++ = c;
      if (i + 1 < n) *o++ = p[++i];
    } else if (c == '|') {
      *o++ = '\r';
      *o++ = '\n';
    } else {
      *o++ = c;
    }
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
