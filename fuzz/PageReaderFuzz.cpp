// Feeds any bytes to the page reader as a page file, then writes the page it
// found back at a width taken from the input and reads that again: nothing
// may be lost, and no line may be too long or split a character.

#include "FuzzCheck.h"
#include "HeapPeak.h"
#include "base/core/Cp932.h"
#include "files/core/PageFormat.h"
#include "score/core/Decimal.h"

using namespace page_format;

namespace {

// The cutting and decoding rules byte by byte, as plainly as they read, to
// hold the fast readers to.
QList<QByteArray> plainFields(const QByteArray &payload) {
  QList<QByteArray> fields;
  QByteArray field;
  for (qsizetype i = 0; i < payload.size(); ++i) {
    const char c = payload[i];
    if (cp932::isLeadByte(static_cast<unsigned char>(c))) {
      field += c;
      if (i + 1 < payload.size()) field += payload[++i];
    } else if (c == '|') {
      fields.append(field);
      field.clear();
    } else {
      field += c;
    }
  }
  return fields;
}

QByteArray plainDecode(const QByteArray &payload) {
  QByteArray text;
  for (qsizetype i = 0; i < payload.size(); ++i) {
    const char c = payload[i];
    if (cp932::isLeadByte(static_cast<unsigned char>(c))) {
      text += c;
      if (i + 1 < payload.size()) text += payload[++i];
    } else {
      text += c == '|' ? QByteArray("\r\n") : QByteArray(1, c);
    }
  }
  return text;
}

void checkAgainstPlainRules(const QByteArray &data, const DataFields &f,
                            const QByteArray &textPayload,
                            const QByteArray &text) {
  CHECK(text == plainDecode(textPayload));
  const QList<QByteArray> all = plainFields(data);
  CHECK(f.fieldCount == all.size());
  if (all.size() >= 1) CHECK(f.protect == all[0]);
  if (all.size() >= 2) CHECK(f.staffCount == all[1]);
  if (all.size() >= 3) CHECK(f.staffWidth == all[2]);
  for (int i = 0; i < f.inputs.count(); ++i) {
    CHECK(f.inputs.content(i) == all[3 + 3 * i]);
    CHECK(f.inputs.x(i) == all[4 + 3 * i]);
    CHECK(f.inputs.y(i) == all[5 + 3 * i]);
  }
}

void checkFields(const DataFields &f) {
  if (f.fieldCount >= 3) CHECK(f.inputs.count() == (f.fieldCount - 3) / 3);
  if (f.fieldCount < 3) CHECK(f.inputs.isEmpty());
}

// The wrap never makes a line too long, never drops a byte and, unless a
// zero byte stops the classification, never splits a character.
void checkWrap(const QByteArray &payload, int maxChar) {
  const QList<QByteArray> pieces = WrapPayload(payload, maxChar);
  const bool classifiable = !payload.contains('\0');
  QByteArray joined;
  for (qsizetype i = 0; i < pieces.size(); ++i) {
    const QByteArray &piece = pieces[i];
    CHECK(!piece.isEmpty() && piece.size() <= maxChar - 1);
    if (classifiable && i + 1 < pieces.size())
      CHECK(ClassifyByte(piece, piece.size()) != ByteClass::Lead);
    joined += piece;
  }
  CHECK(joined == payload);
}

void roundTrip(const PageBlock &block, const DataFields &fields,
               const QByteArray &text, int requestedMaxChar) {
  const int maxChar = clampMaxChar(requestedMaxChar);
  ScorePage page;
  page.Inputs = fields.inputs;
  page.StaffCount = parseDecimal(fields.staffCount).value_or(4);
  page.StaffWidth = parseDecimal(fields.staffWidth).value_or(610);
  const int protect = parseDecimal(fields.protect).value_or(1);

  const QByteArray name = shortenInternalName(block.internalName, maxChar);
  CHECK(!name.isEmpty() && name.size() <= maxChar - 5);
  const QByteArray data = dataPayload(protect, page);
  const QByteArray file = pageFileBytes(name, text, data, requestedMaxChar);
  // Nothing but line ends holds a CR; names and fields may hold a LF.
  CHECK(file.endsWith("\r\n"));
  for (qsizetype start = 0; start < file.size();) {
    const qsizetype end = file.indexOf('\r', start);
    CHECK(end >= 0 && file.at(end + 1) == '\n' && end - start <= maxChar);
    start = end + 2;
  }
  checkWrap(textPayload(text), maxChar);
  checkWrap(data, maxChar);

  const PageBlock back = readPageBlock(file);
  CHECK(back.internalName == name);
  CHECK(back.textPayload == textPayload(text));
  CHECK(back.dataPayload == data);
  const DataFields again = splitDataPayload(back.dataPayload);
  CHECK(again.protect == QByteArray::number(protect));
  CHECK(again.staffCount == QByteArray::number(page.StaffCount));
  CHECK(again.staffWidth == QByteArray::number(page.StaffWidth));
  CHECK(again.inputs == page.Inputs);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  heap_peak::install();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes = fuzzBytes(data, size);
  const heap_peak::Measure heap;
  const PageBlock block = readPageBlock(bytes);
  const DataFields fields = splitDataPayload(block.dataPayload);
  // A page costs a few times its file, however it is made.
  CHECK(heap_peak::withinBound(heap.grown(), size));
  checkFields(fields);
  const QByteArray text = decodeTextPayload(block.textPayload);
  checkAgainstPlainRules(block.dataPayload, fields, block.textPayload, text);
  // The same rules on the raw input, which is not cut into lines.
  checkAgainstPlainRules(bytes, splitDataPayload(bytes), bytes,
                         decodeTextPayload(bytes));
  if (block.internalName.isEmpty()) return 0;

  // Widths from below to above the allowed range: the out-of-range ones
  // must be corrected, never used.
  const int maxChar = size >= 2
                          ? (data[size - 1] | data[size - 2] << 8) % 300 - 20
                          : DefaultMaxChar;
  roundTrip(block, fields, text, maxChar);
  return 0;
}
