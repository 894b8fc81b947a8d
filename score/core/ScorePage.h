#pragma once

#include <QByteArray>
#include <QString>

#include "score/core/InputList.h"

// The one open page: its inputs, header values, page text and identity.
// Every stored value is held as code page 932 bytes, exactly as the page
// file holds it; numbers stay decimal text until a consumer converts them.
class ScorePage {
 public:
  static constexpr int DefaultStaffCount = 4;
  static constexpr int DefaultStaffWidth = 610;

  // The inputs in drawing order, which is also the order of the page file.
  InputList Inputs;

  int StaffCount = DefaultStaffCount;
  int StaffWidth = DefaultStaffWidth;
  int ProtectFlag = 1;  // 1 normal, -1 protected

  // The page text, lines separated by CR LF.
  QByteArray PageText;

  QString PagePath;
  QString CaptionPath;
  QByteArray InternalName;
  bool Modified = false;

  int count() const { return Inputs.count(); }
  void append(QByteArrayView content, QByteArrayView x, QByteArrayView y) {
    Inputs.append(content, x, y);
  }
  void append(QByteArrayView content, int x, int y) {
    Inputs.append(content, x, y);
  }
  void removeAt(int i) { Inputs.removeAt(i); }
  // Empties the input list; nothing else.
  void clearLists() { Inputs.clear(); }

  bool isProtected() const { return ProtectFlag < 0; }
};

// The glyph reference of an index: a backquote and the index in decimal.
inline QByteArray glyphContent(int index) {
  return '`' + QByteArray::number(index);
}
