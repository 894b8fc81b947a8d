#include "files/core/ContentsFile.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

#include "base/core/Cp932.h"
#include "files/core/LineReader.h"
#include "files/core/PathLookup.h"
#include "score/core/TextEntry.h"

namespace {

bool looksLikeUtf8(const QByteArray &bytes) {
  const bool beyondAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) {
    return static_cast<unsigned char>(c) >= 0x80;
  });
  if (!beyondAscii) return false;
  QStringDecoder decoder(QStringDecoder::Utf8);
  (void)QString(decoder.decode(bytes));
  return !decoder.hasError();
}

}  // namespace

ContentsData parseContents(QIODevice &device, qsizetype maxEntries) {
  ContentsData data;
  LineReader reader(device);
  QByteArray line;
  while (reader.next(line)) {
    ++data.lines;
    if (line.startsWith('/')) {
      data.title = line.mid(1);
    } else if (line.startsWith('\\')) {
      data.note = line.mid(1);
    } else if (data.entries.size() < maxEntries) {
      data.entries.append(line);
    } else {
      data.unreadFrom = data.lines;
      break;
    }
  }
  data.failed = reader.failed();
  return data;
}

QString contentsCutMessage(const QString &path, qsizetype unreadFrom) {
  return QStringLiteral(
             "目次ファイル「%1」は大きすぎるため、%2 行目から後は"
             "読みませんでした（目次は %3 項目、%4 MB まで）。")
      .arg(QFileInfo(path).fileName())
      .arg(unreadFrom)
      .arg(MaxContentsEntries)
      .arg(MaxContentsBytes / (1024 * 1024));
}

QByteArray contentsAsCp932(const QByteArray &raw, QString *unheld) {
  unheld->clear();
  static const QByteArray Bom("\xEF\xBB\xBF");
  const bool marked = raw.startsWith(Bom);
  const QByteArray text = marked ? raw.mid(Bom.size()) : raw;
  if (!marked && !looksLikeUtf8(text)) return raw;
  const QString decoded = QString::fromUtf8(text);
  *unheld = text_entry::unheldCharacters(decoded);
  return cp932::fromUnicode(decoded);
}

QByteArray entryName(const QByteArray &entry) {
  qsizetype start = 0;
  while (start < entry.size() &&
         static_cast<unsigned char>(entry.at(start)) <= 0x20) {
    ++start;
  }
  return entry.mid(start);
}

QString entryPagePath(const QString &contentsFolder, const QByteArray &entry) {
  // Decoded before "\" is replaced: a trail byte of a double-byte character
  // may be 0x5C and is not a separator.
  QString name = cp932::toUnicode(entryName(entry) + ".fum");
  name.replace('\\', '/');
  QString path = contentsFolder;
  if (!path.isEmpty() && !path.endsWith('/')) path += '/';
  path += name;
  const QString found = findFileIgnoringCase(path);
  return found.isEmpty() ? path : found;
}
