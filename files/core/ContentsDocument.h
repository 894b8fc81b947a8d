#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// A contents file as the editor holds it: its lines exactly as they stand,
// each with its own line end, and whatever follows the end mark. Written
// back unchanged it gives the same bytes; an edit touches only its lines.
struct ContentsLine {
  QByteArray text;  // without the line end
  QByteArray end;   // "\r\n", "\r", "\n", or empty for a last line without
  bool operator==(const ContentsLine &) const = default;
};

// One edit: at line `at`, the lines `removed` give way to `inserted`.
// Undoing it is the same splice the other way round.
struct ContentsSplice {
  int at = 0;
  QList<ContentsLine> removed;
  QList<ContentsLine> inserted;
  bool isEmpty() const { return removed == inserted; }
};

class ContentsDocument {
 public:
  // Lines end as the reader ends them (CR LF, CR, LF); from a 0x1A on
  // everything is kept aside unread, and so is everything after the
  // `maxEntries`th entry.
  static ContentsDocument fromBytes(const QByteArray &bytes,
                                    qsizetype maxEntries);
  QByteArray toBytes() const;
  // The contents file at `path`, or nothing with the reason in `error`. A
  // UTF-8 file is taken as code page 932 (see contentsAsCp932), the
  // characters it cannot hold listed in `unheld`; a file beyond the bound
  // in bytes is refused, since saving it would lose the rest.
  static std::optional<ContentsDocument> read(const QString &path,
                                              QString *error, QString *unheld);
  // Written whole or not at all; false with the reason in `error`.
  bool write(const QString &path, QString *error) const;

  const QList<ContentsLine> &lines() const { return lines_; }
  // The lines kept aside: the end mark and what follows it.
  const QByteArray &tail() const { return tail_; }
  // The first line left unread for the bound on entries (1-based), or 0.
  qsizetype unreadFrom() const { return unreadFrom_; }

  QByteArray title() const { return lastWith('/'); }
  QByteArray note() const { return lastWith('\\'); }
  QList<QByteArray> entries() const;
  int entryCount() const;

  // The edits, planned on the lines as they are; apply() carries one out
  // and revert() takes it back.
  ContentsSplice insertEntry(int index, const QByteArray &entry) const;
  ContentsSplice removeEntry(int index) const;
  ContentsSplice replaceEntry(int index, const QByteArray &entry) const;
  // Entry `from` goes to place `to`; those between close up.
  ContentsSplice moveEntry(int from, int to) const;
  // The last title (note) line is given the new text; without one, a line
  // is added at the head (the note after the title). An empty text adds
  // nothing.
  ContentsSplice setTitle(const QByteArray &title) const;
  ContentsSplice setNote(const QByteArray &note) const;
  void apply(const ContentsSplice &splice);
  void revert(const ContentsSplice &splice);

  // The line an entry stands on.
  int lineOfEntry(int index) const;
  static bool isEntry(const QByteArray &line);

 private:
  QByteArray lastWith(char first) const;
  int lastLineWith(char first) const;
  ContentsSplice setHead(char first, const QByteArray &text) const;
  // Inserting `line` at `at`: a last line without an end is given one.
  ContentsSplice insertLine(int at, const QByteArray &line) const;
  static void splice(QList<ContentsLine> &lines, int at,
                     const QList<ContentsLine> &out,
                     const QList<ContentsLine> &in);

  QList<ContentsLine> lines_;
  QByteArray tail_;
  qsizetype unreadFrom_ = 0;
};

// The bytes of a title or note typed as `typed`: one line, so control
// characters become spaces. False, with the characters code page 932
// cannot hold in `unheld`, when there are such.
bool headLineText(const QString &typed, QByteArray *bytes, QString *unheld);

// The entry with two more leading spaces, or one fewer level (two spaces,
// else one leading byte of 0x20 or less); nothing when it has no
// indentation to take, or when taking it would make it a title or a note.
QByteArray indentedEntry(const QByteArray &entry);
bool canOutdent(const QByteArray &entry);
QByteArray outdentedEntry(const QByteArray &entry);
