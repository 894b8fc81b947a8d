#pragma once

#include <QByteArray>
#include <QString>

// Code page 932 (Shift-JIS as Windows writes it), through glibc's iconv.
// Everything the program stores is held as code page 932 bytes; these two
// functions are the only places where bytes become Unicode and back.
namespace cp932 {

// False when the system cannot convert code page 932 (glibc's iconv
// without its CP932 module): then nothing the program reads or writes would
// be right, and it says so instead of starting.
bool available();
QString unavailableMessage();

// Decodes bytes. Bytes that code page 932 does not define come back as
// U+FFFD; `ok` (when given) tells whether every byte decoded.
QString toUnicode(const QByteArray &bytes, bool *ok = nullptr);

// Encodes text. A character that code page 932 cannot hold becomes "?";
// `ok` (when given) tells whether every character could be held.
QByteArray fromUnicode(const QString &text, bool *ok = nullptr);

// True when a byte starts a double-byte character.
inline bool isLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace cp932
