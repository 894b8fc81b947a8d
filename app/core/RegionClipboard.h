#pragma once

#include <QByteArray>
#include <QString>

// Our own copy of the clipboard's text, for the rectangle's Paste. Paste
// follows the head of the text alone: whether its first line is the region
// marker. The whole text is fetched only for a paste, as another program's
// text may be megabytes long and slow to come. A region copied here keeps
// the bytes it was made from, so that a paste gives back what was copied
// even where two byte codes read as one character.
class RegionClipboard {
 public:
  // How much of the text tells whether it holds a region: the marker and
  // one character past it, which shows whether the line ends there.
  static int headLength();

  // The clipboard changed; the number of the change, whose head is to be
  // heard. Paste keeps its state until then.
  int changed();
  // The first characters of the text of `change` (empty when the clipboard
  // holds no text). False, leaving everything as it was, when a newer change
  // or a copy came since.
  bool heard(int change, const QString &head);
  // A region was copied as `text`, made from `bytes`: a change known at
  // once.
  void copied(const QString &text, const QByteArray &bytes);
  // Whether the last head heard, or the last copy, starts a region.
  bool looksLikeRegion() const { return region_; }

  // The whole text, fetched for a paste; our own copy coming back keeps its
  // bytes. Whether it is a region's text.
  bool follow(const QString &text);
  // Converts the text once; returns the characters code page 932 lacks,
  // empty when it has them all.
  const QString &convert();
  // The text in code page 932, once converted.
  const QByteArray &bytes() const { return bytes_; }

 private:
  int change_ = 0;
  bool region_ = false;
  QString text_;
  QByteArray bytes_;
  QString unheld_;
  bool converted_ = false;  // bytes_ and unheld_ hold text_'s conversion
};
