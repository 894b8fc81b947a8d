#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The one open page: its inputs, header values, page text and identity.
// Every stored value is held as code page 932 bytes, exactly as the page
// file holds it; numbers stay decimal text until a consumer converts them.
class ScorePage {
 public:
  static constexpr int DefaultStaffCount = 4;
  static constexpr int DefaultStaffWidth = 610;

  // Entry i of the three lists together is input i; the order of the lists
  // is the drawing order and the order of the page file.
  QList<QByteArray> ContentList;
  QList<QByteArray> XList;
  QList<QByteArray> YList;

  int StaffCount = DefaultStaffCount;
  int StaffWidth = DefaultStaffWidth;
  int ProtectFlag = 1;  // 1 normal, -1 protected

  // The page text, lines separated by CR LF.
  QByteArray PageText;

  QString PagePath;
  QString CaptionPath;
  QByteArray InternalName;
  bool Modified = false;

  int count() const { return static_cast<int>(ContentList.size()); }

  void append(const QByteArray &content, const QByteArray &x,
              const QByteArray &y) {
    ContentList.append(content);
    XList.append(x);
    YList.append(y);
  }
  void append(const QByteArray &content, int x, int y) {
    append(content, QByteArray::number(x), QByteArray::number(y));
  }
  void removeAt(int i) {
    ContentList.removeAt(i);
    XList.removeAt(i);
    YList.removeAt(i);
  }
  // Empties the three lists; nothing else.
  void clearLists() {
    ContentList.clear();
    XList.clear();
    YList.clear();
  }

  bool isProtected() const { return ProtectFlag < 0; }
};

// The glyph reference of an index: a backquote and the index in decimal.
inline QByteArray glyphContent(int index) {
  return '`' + QByteArray::number(index);
}
