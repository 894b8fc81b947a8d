#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>

// A contents file (".vrn"): the pages of a course in reading order, in code
// page 932. A line starting with "/" is the title, one starting with "\" the
// note (a later one replaces an earlier one), every other line, an empty one
// too, is an entry naming a page relative to the contents file's folder.
struct ContentsData {
  QByteArray title;
  QByteArray note;
  QList<QByteArray> entries;  // as they stand in the file, indentation too
  bool failed = false;        // the device reported an error while reading
  qsizetype lines = 0;        // the lines read
  qsizetype unreadFrom = 0;   // the first line left unread (1-based), or 0
};

// What a contents file may hold. A course has some hundreds of pages; these
// bounds keep a huge or endless file from filling the memory and the list
// from taking minutes to open. What lies beyond them is left unread.
inline constexpr qsizetype MaxContentsEntries = 10000;
inline constexpr qsizetype MaxContentsBytes = 1024 * 1024;

// Reads at most `maxEntries` entries; the line of the first one beyond is
// `unreadFrom`.
ContentsData parseContents(QIODevice &device,
                           qsizetype maxEntries = MaxContentsEntries);

// The warning for a contents file read only up to line `unreadFrom`.
QString contentsCutMessage(const QString &path, qsizetype unreadFrom);

// The bytes of a contents file as code page 932. Contents files are code
// page 932, but one written with a Linux editor may be UTF-8: a file that
// starts with the UTF-8 byte-order mark, or that is valid UTF-8 with at
// least one character beyond ASCII (code page 932 text with Japanese in it
// practically never is), is converted. Characters code page 932 cannot
// hold are listed in `unheld`.
QByteArray contentsAsCp932(const QByteArray &raw, QString *unheld);

// The page name of an entry: the entry without its leading bytes of 0x20 or
// less (the indentation shown in the list). Trailing spaces stay.
QByteArray entryName(const QByteArray &entry);

// The path of an entry's page: the contents folder, the entry's name with
// "\" as folder separator, and ".fum". Courses made on Windows do not mind
// letter case, so when the exact path does not exist the names are matched
// without regard to case, folder by folder. When nothing is found the exact
// path comes back (for the caller's not-found report).
QString entryPagePath(const QString &contentsFolder, const QByteArray &entry);
