#include "files/core/ContentsDocument.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "base/core/BoundedRead.h"
#include "base/core/Cp932.h"
#include "base/core/FileErrors.h"
#include "base/core/WholeFile.h"
#include "files/core/ContentsFile.h"
#include "files/core/RegularFile.h"
#include "score/core/TextEntry.h"

namespace {

const QByteArray CrLf("\r\n");

}  // namespace

ContentsDocument ContentsDocument::fromBytes(const QByteArray &bytes,
                                             qsizetype maxEntries) {
  ContentsDocument doc;
  const qsizetype mark = bytes.indexOf('\x1A');
  const qsizetype end = mark < 0 ? bytes.size() : mark;
  qsizetype pos = 0;
  qsizetype entries = 0;
  while (pos < end) {
    qsizetype stop = pos;
    while (stop < end && bytes[stop] != '\r' && bytes[stop] != '\n') ++stop;
    ContentsLine line{bytes.mid(pos, stop - pos), {}};
    qsizetype next = stop;
    if (stop < end) {
      next = stop + 1;
      if (bytes[stop] == '\r' && next < end && bytes[next] == '\n') ++next;
      line.end = bytes.mid(stop, next - stop);
    }
    if (isEntry(line.text) && entries++ == maxEntries) {
      doc.unreadFrom_ = doc.lines_.size() + 1;
      break;
    }
    doc.lines_.append(line);
    pos = next;
  }
  doc.tail_ = bytes.mid(pos);
  return doc;
}

QByteArray ContentsDocument::toBytes() const {
  QByteArray out;
  for (const ContentsLine &line : lines_) out += line.text + line.end;
  return out + tail_;
}

std::optional<ContentsDocument> ContentsDocument::read(const QString &path,
                                                       QString *error,
                                                       QString *unheld) {
  unheld->clear();
  if (!regular_file::isRegular(path)) {
    *error = regular_file::notFoundMessage(path);
    return std::nullopt;
  }
  QFile file(path);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly)) {
    *error = file_errors::cannotRead(path, errno);
    return std::nullopt;
  }
  const QByteArray raw = bounded_read::upTo(file, MaxContentsBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    *error = file_errors::cannotRead(path, 0);
    return std::nullopt;
  }
  if (raw.size() > MaxContentsBytes) {
    *error = QStringLiteral(
                 "目次ファイル「%1」は大きすぎるため編集できません"
                 "（%2 MB まで）。")
                 .arg(QFileInfo(path).fileName())
                 .arg(MaxContentsBytes / (1024 * 1024));
    return std::nullopt;
  }
  return fromBytes(contentsAsCp932(raw, unheld), MaxContentsEntries);
}

bool ContentsDocument::write(const QString &path, QString *error) const {
  return whole_file::write(path, toBytes(),
                           whole_file::InPlace::WhenFolderIsClosed, error);
}

bool ContentsDocument::isEntry(const QByteArray &line) {
  return !line.startsWith('/') && !line.startsWith('\\');
}

QList<QByteArray> ContentsDocument::entries() const {
  QList<QByteArray> out;
  for (const ContentsLine &line : lines_)
    if (isEntry(line.text)) out.append(line.text);
  return out;
}

int ContentsDocument::entryCount() const {
  int n = 0;
  for (const ContentsLine &line : lines_) n += isEntry(line.text);
  return n;
}

int ContentsDocument::lineOfEntry(int index) const {
  for (int i = 0; i < lines_.size(); ++i)
    if (isEntry(lines_[i].text) && index-- == 0) return i;
  return -1;
}

QByteArray ContentsDocument::lastWith(char first) const {
  const int line = lastLineWith(first);
  return line < 0 ? QByteArray() : lines_[line].text.mid(1);
}

int ContentsDocument::lastLineWith(char first) const {
  for (int i = lines_.size() - 1; i >= 0; --i)
    if (lines_[i].text.startsWith(first)) return i;
  return -1;
}

ContentsSplice ContentsDocument::insertLine(int at,
                                            const QByteArray &text) const {
  ContentsSplice s{at, {}, {{text, CrLf}}};
  // After a last line without an end the new line keeps the file's way of
  // ending, and the line before it is given the end it now needs.
  if (at == lines_.size() && at > 0 && lines_.last().end.isEmpty()) {
    s.at = at - 1;
    s.removed = {lines_.last()};
    s.inserted = {{lines_.last().text, CrLf}, {text, {}}};
  }
  return s;
}

ContentsSplice ContentsDocument::insertEntry(int index,
                                             const QByteArray &entry) const {
  const int count = entryCount();
  if (index < 0 || index > count) index = count;
  // After the last entry, so that lines after the entries stay after them.
  const int at = index < count ? lineOfEntry(index)
                 : count > 0   ? lineOfEntry(count - 1) + 1
                               : lines_.size();
  return insertLine(at, entry);
}

ContentsSplice ContentsDocument::removeEntry(int index) const {
  const int at = lineOfEntry(index);
  if (at < 0) return {};
  ContentsSplice s{at, {lines_[at]}, {}};
  // The last line had no end: the one before it becomes the last, and
  // gives up its end the same way.
  if (at == lines_.size() - 1 && at > 0 && lines_[at].end.isEmpty()) {
    s.at = at - 1;
    s.removed.prepend(lines_[at - 1]);
    s.inserted = {{lines_[at - 1].text, {}}};
  }
  return s;
}

ContentsSplice ContentsDocument::replaceEntry(int index,
                                              const QByteArray &entry) const {
  const int at = lineOfEntry(index);
  if (at < 0) return {};
  return {at, {lines_[at]}, {{entry, lines_[at].end}}};
}

ContentsSplice ContentsDocument::moveEntry(int from, int to) const {
  const int a = lineOfEntry(from);
  const int b = lineOfEntry(to);
  if (a < 0 || b < 0 || a == b) return {};
  const int first = std::min(a, b);
  const QList<ContentsLine> removed = lines_.mid(first, std::abs(a - b) + 1);
  QList<QByteArray> texts;
  for (const ContentsLine &line : removed) texts.append(line.text);
  texts.move(a - first, b - first);
  // The line ends stay where they were: a last line without an end stays
  // without one, whichever entry it now holds.
  QList<ContentsLine> inserted = removed;
  for (int i = 0; i < inserted.size(); ++i) inserted[i].text = texts[i];
  return {first, removed, inserted};
}

ContentsSplice ContentsDocument::setHead(char first,
                                         const QByteArray &text) const {
  const QByteArray line = first + text;
  const int at = lastLineWith(first);
  if (at >= 0) return {at, {lines_[at]}, {{line, lines_[at].end}}};
  if (text.isEmpty()) return {};
  const int title = lastLineWith('/');
  return insertLine(first == '\\' && title >= 0 ? title + 1 : 0, line);
}

ContentsSplice ContentsDocument::setTitle(const QByteArray &title) const {
  return setHead('/', title);
}

ContentsSplice ContentsDocument::setNote(const QByteArray &note) const {
  return setHead('\\', note);
}

void ContentsDocument::splice(QList<ContentsLine> &lines, int at,
                              const QList<ContentsLine> &out,
                              const QList<ContentsLine> &in) {
  lines.remove(at, out.size());
  for (int i = 0; i < in.size(); ++i) lines.insert(at + i, in[i]);
}

void ContentsDocument::apply(const ContentsSplice &s) {
  splice(lines_, s.at, s.removed, s.inserted);
}

void ContentsDocument::revert(const ContentsSplice &s) {
  splice(lines_, s.at, s.inserted, s.removed);
}

bool headLineText(const QString &typed, QByteArray *bytes, QString *unheld) {
  *unheld = text_entry::unheldCharacters(typed);
  if (!unheld->isEmpty()) return false;
  // A line break would start an entry.
  QString line = typed;
  for (QChar &c : line)
    if (c.unicode() < 0x20) c = QLatin1Char(' ');
  *bytes = cp932::fromUnicode(line);
  return true;
}

QByteArray indentedEntry(const QByteArray &entry) { return "  " + entry; }

bool canOutdent(const QByteArray &entry) {
  if (entry.isEmpty() || static_cast<unsigned char>(entry[0]) > 0x20)
    return false;
  return ContentsDocument::isEntry(outdentedEntry(entry));
}

QByteArray outdentedEntry(const QByteArray &entry) {
  if (entry.startsWith("  ")) return entry.mid(2);
  if (!entry.isEmpty() && static_cast<unsigned char>(entry[0]) <= 0x20)
    return entry.mid(1);
  return entry;
}
