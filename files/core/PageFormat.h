#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>

#include "score/core/ScorePage.h"

// The page file: code page 932 text lines with a marker at their start.
//
//   Fum[name]          starts the page block
//   ~piece             pieces of the page text, line breaks as "|"
//   ^piece             pieces of the data: protect|count|width| then
//                      Content|X|Y| for every input
//   End[name]          ends the page block
//
// Everything here works on bytes; only file names are converted (from the
// Unicode path to code page 932) for the internal-name rules.
namespace page_format {

enum class ByteClass { Single = 0, Lead = 1, Trail = 2 };

// Class of the byte at `position` (counted from 1), walking the text from its
// first byte so that a trail byte is never taken for a lead byte. A position
// outside the text, or one holding a zero byte, is Single.
ByteClass ClassifyByte(const QByteArray &text, int position);

// Line length limit of a save. Below 3 the wrapping would never end, below 7
// a long file name can shorten to nothing, and the classification works on
// windows of at most 255 bytes.
constexpr int MinMaxChar = 7, MaxMaxChar = 256, DefaultMaxChar = 79;
// The value any save uses: a value outside MinMaxChar..MaxMaxChar is brought
// to the nearer bound.
int clampMaxChar(int maxChar);

// Cuts a payload into line pieces (without marker) of maxChar - 2 bytes, or
// maxChar - 1 when that keeps a double-byte character whole. maxChar is
// clamped first.
QList<QByteArray> WrapPayload(const QByteArray &payload, int maxChar);

// The page text as stored: every CR becomes "|", every LF is dropped.
QByteArray textPayload(const QByteArray &pageText);
// Back to page text: a single-byte "|" becomes CR LF; a double-byte
// character (even one whose trail byte is "|") is copied whole. A payload
// handed over with std::move is decoded in its own memory.
QByteArray decodeTextPayload(QByteArray payload);

// protect|StaffCount|StaffWidth| followed by Content|X|Y| for each input.
QByteArray dataPayload(int protectValue, const ScorePage &page);

// The name shortened so that "Fum[" + name + "]" fits in maxChar bytes
// without splitting a double-byte character. maxChar is clamped first.
QByteArray shortenInternalName(const QByteArray &name, int maxChar);
// The file name of `path` without folder and last extension, in code page
// 932, shortened for maxChar.
QByteArray internalNameFor(const QString &path, int maxChar);

// The whole file, every line ended by CR LF. An empty page text gives no "~"
// line. The name is written as given (see internalNameFor).
QByteArray pageFileBytes(const QByteArray &internalName,
                         const QByteArray &pageText,
                         const QByteArray &dataPayload, int maxChar);

// What the reader collected. An empty internalName means no page was found.
struct PageBlock {
  QByteArray internalName;
  QByteArray textPayload;
  QByteArray dataPayload;
};

// Reads the page block out of any text: lines outside the block and lines
// without a marker are skipped; a second "Fum[" line replaces the name and
// the payloads go on; "End[" ends the reading. The device (already open) is
// read in blocks, so a large file is never held whole. `readError` tells
// whether the device reported an error.
PageBlock readPageBlock(QIODevice &device, bool *readError = nullptr);
PageBlock readPageBlock(const QByteArray &bytes);

// The fields of a data payload.
struct DataFields {
  // Fields cut from the payload, a dropped incomplete input included. The
  // header fields below are present only when fieldCount reaches 1, 2, 3.
  int fieldCount = 0;
  // Header fields as written; the caller converts them.
  QByteArray protect, staffCount, staffWidth;
  // The complete inputs: an incomplete input at the end is dropped.
  InputList inputs;
  // The payload is more than the list can hold (four gigabytes); no input
  // was taken.
  bool tooLarge = false;
};

// Cuts the payload at every single-byte "|" (a "|" that is a trail byte
// belongs to its character); bytes after the last "|" are dropped.
DataFields splitDataPayload(const QByteArray &payload);

// Whether the stored name is the file name of `path` without folder and last
// extension, ignoring the case of single-byte letters.
bool internalNameMatches(const QByteArray &internalName, const QString &path);

// Writes to a temporary file beside `path` and renames it over the old file
// once all of it is on the disk, so a failed write leaves the old file as it
// was; where the folder cannot take a temporary file but the file itself is
// writable, the file is written in place, its whole new size reserved
// first. On failure returns false and puts the message, naming the file and
// the reason, in errorText (when given).
bool writeFileSafely(const QString &path, const QByteArray &bytes,
                     QString *errorText);

}  // namespace page_format
