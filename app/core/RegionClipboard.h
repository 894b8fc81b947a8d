#pragma once

#include <QByteArray>
#include <QString>

// Our own copy of the clipboard's text, for the rectangle's Paste. A region
// copied here keeps the bytes it was made from, so that a paste gives back
// what was copied even where two byte codes read as one character; another
// program's text is converted only when it is pasted, as it may be
// megabytes long.
class RegionClipboard {
 public:
  // The clipboard's text now; our own copy coming back keeps its bytes.
  void follow(const QString &text);
  // A region was copied as `text`, made from `bytes`.
  void copied(const QString &text, const QByteArray &bytes);
  // Only the head of the first line is read: it holds the region marker.
  bool looksLikeRegion() const;
  // Converts the text once; returns the characters code page 932 lacks,
  // empty when it has them all.
  const QString &convert();
  // The text in code page 932, once converted.
  const QByteArray &bytes() const { return bytes_; }

 private:
  QString text_;
  QByteArray bytes_;
  QString unheld_;
  bool converted_ = false;  // bytes_ and unheld_ hold text_'s conversion
};
