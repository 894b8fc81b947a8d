#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The contents file opened last: its entries, title and note, and which
// entry was shown. The main window shows it in the tool bar's list.
class CourseContents {
 public:
  QString ContentsPath;
  QString PreviousContentsPath;  // the one before the last opened
  QString ContentsFolder;        // ends with "/"
  QByteArray ContentsTitle;
  QByteArray ContentsNote;
  QList<QByteArray> ContentsEntries;
  int ContentsIndex = 0;  // the entry last loaded through the list
  int LoadedIndex = 0;    // the same, to put the list back after a Cancel
  // The first line the last read left unread for the bounds of a contents
  // file (1-based), or 0 when it was read whole.
  qsizetype UnreadFrom = 0;

  // Makes `path` the contents file, remembering the one before.
  void switchTo(const QString &path);
  // Takes back the last switchTo, after the new file could not be read.
  void switchBack();
  // Reads ContentsPath; false with the reason when it cannot be read. A
  // UTF-8 file is read too; the characters of it that code page 932 cannot
  // hold come back in `unheld`. A file beyond the bounds of a contents
  // file is read up to them (see UnreadFrom).
  bool read(QString *error, QString *unheld);

  // The entry to show first: the remembered one while it is in the list,
  // else the first; -1 for an empty list.
  int firstEntry(int remembered) const;
  // The page of the entry at `index`; an index outside the list reads as
  // an empty entry.
  QString pagePath(int index) const;
  // The entries before and after `selected` (-1: nothing selected), or
  // nothing at the ends of the list.
  std::optional<int> previous(int selected) const;
  std::optional<int> next(int selected) const;
  // The window's caption while the contents file is open.
  QString caption() const;

  // The settings key that remembers the page shown of a contents file.
  static QString rememberKey(const QString &contentsPath);
};
