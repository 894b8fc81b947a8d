#include "files/core/PageFormat.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "base/core/Cp932.h"
#include "base/core/WholeFile.h"

namespace page_format {

namespace {

const unsigned char *bytesOf(const QByteArray &text) {
  return reinterpret_cast<const unsigned char *>(text.constData());
}

// ClassifyByte on `length` bytes starting at `p`.
ByteClass classifyAt(const unsigned char *p, qsizetype length,
                     qsizetype position) {
  if (position < 1 || position > length || p[position - 1] == 0)
    return ByteClass::Single;
  ByteClass state = ByteClass::Single;
  for (qsizetype i = 0; i < position; ++i) {
    if (state == ByteClass::Lead)
      state = ByteClass::Trail;
    else
      state = cp932::isLeadByte(p[i]) ? ByteClass::Lead : ByteClass::Single;
  }
  return state;
}

// Length of the next piece of a payload with `left` bytes remaining at `p`:
// maxChar - 1 bytes when the window's last two bytes are one double-byte
// character, else maxChar - 2 (or what is left).
qsizetype pieceLength(const unsigned char *p, qsizetype left, int maxChar) {
  const qsizetype window = std::min<qsizetype>(maxChar - 1, left);
  if (window == maxChar - 1 &&
      classifyAt(p, window, maxChar - 2) == ByteClass::Lead &&
      classifyAt(p, window, maxChar - 1) == ByteClass::Trail)
    return maxChar - 1;
  return std::min<qsizetype>(maxChar - 2, left);
}

// Writes into a buffer that was sized for everything beforehand; the
// generic QByteArray::append costs more than the copying for short pieces.
class Output {
 public:
  explicit Output(qsizetype capacity) : bytes_(capacity, Qt::Uninitialized) {
    cursor_ = bytes_.data();
  }
  void put(const char *text, qsizetype length) {
    std::memcpy(cursor_, text, length);
    cursor_ += length;
  }
  void put(QByteArrayView text) { put(text.data(), text.size()); }
  void put(char c) { *cursor_++ = c; }
  QByteArray finish() {
    bytes_.truncate(cursor_ - bytes_.constData());
    return std::move(bytes_);
  }

 private:
  QByteArray bytes_;
  char *cursor_;
};

void putNameLine(Output &out, const char *marker, const QByteArray &name) {
  out.put(marker, 4);
  out.put(name);
  out.put("]\r\n", 3);
}

void putWrapped(Output &out, char marker, const QByteArray &payload,
                int maxChar) {
  const unsigned char *p = bytesOf(payload);
  const qsizetype n = payload.size();
  for (qsizetype start = 0; start < n;) {
    const qsizetype take = pieceLength(p + start, n - start, maxChar);
    out.put(marker);
    out.put(payload.constData() + start, take);
    out.put("\r\n", 2);
    start += take;
  }
}

}  // namespace

ByteClass ClassifyByte(const QByteArray &text, int position) {
  return classifyAt(bytesOf(text), text.size(), position);
}

int clampMaxChar(int maxChar) {
  return std::clamp(maxChar, MinMaxChar, MaxMaxChar);
}

QList<QByteArray> WrapPayload(const QByteArray &payload, int maxChar) {
  maxChar = clampMaxChar(maxChar);
  QList<QByteArray> pieces;
  pieces.reserve(payload.size() / (maxChar - 2) + 1);
  const unsigned char *p = bytesOf(payload);
  const qsizetype n = payload.size();
  for (qsizetype start = 0; start < n;) {
    const qsizetype take = pieceLength(p + start, n - start, maxChar);
    pieces.append(payload.mid(start, take));
    start += take;
  }
  return pieces;
}

QByteArray textPayload(const QByteArray &pageText) {
  QByteArray out(pageText.size(), Qt::Uninitialized);
  char *o = out.data();
  for (const char c : pageText) {
    if (c == '\r')
      *o++ = '|';
    else if (c != '\n')
      *o++ = c;
  }
  out.truncate(o - out.constData());
  return out;
}

QByteArray dataPayload(int protectValue, const ScorePage &page) {
  const InputList &inputs = page.Inputs;
  const int count = inputs.count();
  const QByteArray header = QByteArray::number(protectValue) + '|' +
                            QByteArray::number(page.StaffCount) + '|' +
                            QByteArray::number(page.StaffWidth) + '|';
  Output out(header.size() + inputs.byteCount() + 3 * qsizetype(count));
  out.put(header);
  for (int i = 0; i < count; ++i) {
    out.put(inputs.content(i));
    out.put('|');
    out.put(inputs.x(i));
    out.put('|');
    out.put(inputs.y(i));
    out.put('|');
  }
  return out.finish();
}

QByteArray shortenInternalName(const QByteArray &name, int maxChar) {
  maxChar = clampMaxChar(maxChar);
  if (name.size() <= maxChar - 5) return name;
  const bool leadAtCut = ClassifyByte(name, maxChar - 6) == ByteClass::Lead;
  return name.left(leadAtCut ? maxChar - 5 : maxChar - 6);
}

QByteArray internalNameFor(const QString &path, int maxChar) {
  return shortenInternalName(
      cp932::fromUnicode(QFileInfo(path).completeBaseName()), maxChar);
}

QByteArray pageFileBytes(const QByteArray &internalName,
                         const QByteArray &pageText,
                         const QByteArray &dataPayload, int maxChar) {
  maxChar = clampMaxChar(maxChar);
  const QByteArray text = textPayload(pageText);
  // A piece holds at least maxChar - 2 bytes, except the last of each
  // payload; every line adds a marker and CR LF.
  const qsizetype lines =
      (text.size() + dataPayload.size()) / (maxChar - 2) + 2;
  Output out(text.size() + dataPayload.size() + 3 * lines +
             2 * (internalName.size() + 7));
  putNameLine(out, "Fum[", internalName);
  putWrapped(out, '~', text, maxChar);
  putWrapped(out, '^', dataPayload, maxChar);
  putNameLine(out, "End[", internalName);
  return out.finish();
}

bool writeFileSafely(const QString &path, const QByteArray &bytes,
                     QString *errorText) {
  return whole_file::write(path, bytes, whole_file::InPlace::WhenFolderIsClosed,
                           errorText);
}

}  // namespace page_format
