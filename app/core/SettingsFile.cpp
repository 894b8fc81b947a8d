#include "app/core/SettingsFile.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QStandardPaths>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <optional>
#include <utility>

#include "base/core/BoundedRead.h"
#include "base/core/Cp932.h"
#include "base/core/FileErrors.h"
#include "base/core/WholeFile.h"

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

struct Line {
  QString text;
  QString end;  // the line's own terminator; empty for a last line without
};

// The file as lines with their own terminators, so that every line a write
// does not touch goes back byte for byte.
struct IniText {
  bool bom = false;
  QList<Line> lines;
  QString eol = QStringLiteral("\n");  // for added lines: the file's own
  bool cut = false;                    // longer than MaxBytes or MaxLines
};

enum class Kind { Other, Section, Key };

struct Parsed {
  Kind kind = Kind::Other;
  QString name;
  QString value;
};

Parsed parseLine(const QString &text) {
  const QString t = text.trimmed();
  if (t.startsWith('[')) {
    const qsizetype close = t.indexOf(']');
    if (close < 0) return {};
    return {Kind::Section, t.mid(1, close - 1).trimmed(), {}};
  }
  if (t.startsWith(';')) return {};
  const qsizetype eq = t.indexOf('=');
  if (eq < 0) return {};
  return {Kind::Key, t.left(eq).trimmed(), t.mid(eq + 1).trimmed()};
}

bool hasLineBreak(const QString &text) {
  return text.contains('\n') || text.contains('\r');
}

// Names that would read back as something else are refused.
bool validSection(const QString &name) {
  return !name.isEmpty() && !name.contains(']') && !hasLineBreak(name);
}

bool validKey(const QString &name) {
  return !name.isEmpty() && !name.contains('=') && !hasLineBreak(name) &&
         !name.startsWith('[') && !name.startsWith(';');
}

bool sameName(const QString &a, const QString &b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

QList<Line> splitLines(const QString &text) {
  // Shared, so that a file of many short lines costs no text of its own
  // for each line end.
  static const QString Lf = QStringLiteral("\n"), Cr = QStringLiteral("\r"),
                       CrLf = QStringLiteral("\r\n");
  QList<Line> lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c != '\r' && c != '\n') continue;
    qsizetype endLength = 1;
    if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n') {
      endLength = 2;
    }
    lines.append({text.mid(start, i - start), endLength == 2 ? CrLf
                                              : c == '\r'    ? Cr
                                                             : Lf});
    i += endLength - 1;
    start = i + 1;
  }
  if (start < text.size()) lines.append({text.mid(start), {}});
  return lines;
}

// Where the first `count` lines end, their line ends included; the size
// when there are fewer. CR and LF stand for nothing else in UTF-8 or in
// code page 932.
qsizetype endOfLines(const QByteArray &bytes, qsizetype count) {
  qsizetype lines = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const char c = bytes.at(i);
    if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
      ++i;
    else if (c != '\r' && c != '\n')
      continue;
    if (++lines == count) return i + 1;
  }
  return bytes.size();
}

// An empty text for a missing file; nothing when the file is there but
// cannot be read (a write must not replace what it could not read).
std::optional<IniText> load(const QString &path) {
  IniText ini;
  QFile file(path);
  if (!file.exists()) return ini;
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  // The size the file gives may not be the size it has: the bound holds
  // for what is read.
  QByteArray bytes = bounded_read::upTo(file, SettingsFile::MaxBytes + 1);
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  if (bytes.size() > SettingsFile::MaxBytes) {
    ini.cut = true;
    // Whole lines only: a line cut short would read as another value.
    const qsizetype end =
        std::max(bytes.lastIndexOf('\n', SettingsFile::MaxBytes - 1),
                 bytes.lastIndexOf('\r', SettingsFile::MaxBytes - 1));
    bytes.truncate(end + 1);
  }
  // Every key looked up goes through the lines: a file of many short ones
  // costs as much as a larger one.
  const qsizetype end = endOfLines(bytes, SettingsFile::MaxLines);
  if (end < bytes.size()) {
    ini.cut = true;
    bytes.truncate(end);
  }
  ini.bom = bytes.startsWith(Utf8Bom);
  if (ini.bom) bytes.remove(0, Utf8Bom.size());
  QStringDecoder utf8(QStringConverter::Utf8);
  QString text = utf8(bytes);
  // A file brought over from Windows is in code page 932.
  if (utf8.hasError()) text = cp932::toUnicode(bytes);
  ini.lines = splitLines(text);
  for (const Line &line : std::as_const(ini.lines)) {
    if (!line.end.isEmpty()) {
      ini.eol = line.end;
      break;
    }
  }
  return ini;
}

// A file too large to be read whole is written back with only what can be
// read from it, so that the next start reads it whole.
void keepOnlySectionsAndKeys(IniText &ini) {
  ini.lines.removeIf([](const Line &line) {
    return parseLine(line.text).kind == Kind::Other;
  });
  if (!ini.lines.isEmpty() && ini.lines.back().end.isEmpty())
    ini.lines.back().end = ini.eol;
}

QByteArray bytesOf(const IniText &ini) {
  QString text;
  for (const Line &line : ini.lines) text += line.text + line.end;
  return (ini.bom ? Utf8Bom : QByteArray()) + text.toUtf8();
}

struct Position {
  qsizetype section = -1;   // header of the first matching section
  qsizetype key = -1;       // first matching key in that section
  qsizetype insertAt = -1;  // after the section's last non-blank line
  QString value;
};

Position find(const QList<Line> &lines, const QString &section,
              const QString &key) {
  Position pos;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const Parsed p = parseLine(lines[i].text);
    if (p.kind == Kind::Section) {
      if (pos.section >= 0) break;
      if (sameName(p.name, section)) {
        pos.section = i;
        pos.insertAt = i + 1;
      }
      continue;
    }
    if (pos.section < 0) continue;
    if (!lines[i].text.trimmed().isEmpty()) pos.insertAt = i + 1;
    if (p.kind == Kind::Key && sameName(p.name, key)) {
      pos.key = i;
      pos.value = p.value;
      break;
    }
  }
  return pos;
}

void insertLine(IniText &ini, qsizetype at, const QString &text) {
  if (at > 0 && ini.lines[at - 1].end.isEmpty())
    ini.lines[at - 1].end = ini.eol;
  ini.lines.insert(at, {text, ini.eol});
}

bool isQuote(QChar c) { return c == '"' || c == '\''; }

bool isQuoted(const QString &value) {
  return value.size() >= 2 && isQuote(value.front()) &&
         value.back() == value.front();
}

// Quotes keep what trimming or unquoting on reading would otherwise change.
QString quoted(const QString &value) {
  if (value != value.trimmed() || isQuoted(value)) return '"' + value + '"';
  return value;
}

QString limited(QString text) {
  if (text.size() > SettingsFile::MaxTextLength) {
    text.truncate(SettingsFile::MaxTextLength);
    if (text.back().isHighSurrogate()) text.chop(1);
  }
  return text;
}

std::optional<QString> valueIn(const std::optional<IniText> &ini,
                               const QString &section, const QString &key) {
  const QString s = section.trimmed();
  const QString k = key.trimmed();
  if (!ini || !validSection(s) || !validKey(k)) return std::nullopt;
  const Position pos = find(ini->lines, s, k);
  if (pos.key < 0) return std::nullopt;
  return isQuoted(pos.value) ? pos.value.mid(1, pos.value.size() - 2)
                             : pos.value;
}

// Sets the key, already checked, to the value as stored.
void put(IniText &ini, const QString &s, const QString &k,
         const QString &stored) {
  const Position pos = find(ini.lines, s, k);
  if (pos.key >= 0) {
    // Only the value changes: the key's spelling and spacing stay.
    QString &text = ini.lines[pos.key].text;
    qsizetype start = text.indexOf('=') + 1;
    while (start < text.size() && text.at(start).isSpace()) ++start;
    text = text.left(start) + stored;
  } else if (pos.section >= 0) {
    insertLine(ini, pos.insertAt, k + '=' + stored);
  } else {
    if (!ini.lines.isEmpty() && !ini.lines.back().text.trimmed().isEmpty()) {
      insertLine(ini, ini.lines.size(), QString());
    }
    insertLine(ini, ini.lines.size(), '[' + s + ']');
    insertLine(ini, ini.lines.size(), k + '=' + stored);
  }
}

int hexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

// Hexadecimal values are 32-bit patterns, so 0xFFFFFFFF reads as -1.
std::optional<int> parseInteger(const QString &text) {
  if (text.size() > 2 && (text.startsWith("0x") || text.startsWith("0X"))) {
    quint64 value = 0;
    for (qsizetype i = 2; i < text.size(); ++i) {
      const int d = hexDigit(text.at(i));
      if (d < 0) return std::nullopt;
      value = value * 16 + d;
      if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<int>(static_cast<quint32>(value));
  }
  qsizetype i = 0;
  const bool negative = text.startsWith('-');
  if (negative || text.startsWith('+')) ++i;
  if (i == text.size()) return std::nullopt;
  qint64 value = 0;
  for (; i < text.size(); ++i) {
    const char16_t u = text.at(i).unicode();
    if (u < '0' || u > '9') return std::nullopt;
    value = value * 10 + (u - '0');
    if (value > qint64(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

struct SettingsFile::Held {
  struct Change {
    QString section, key, stored;
    bool changed;  // else it only fills in a missing key
  };
  std::optional<IniText> ini;  // nothing when the file could not be read
  QList<Change> changes;       // since the last save, in order
  // What the program was given for each key it read or wrote, as stored:
  // a write of the same value changes nothing another copy may have set.
  QHash<QString, QString> known;

  static QString nameOf(const QString &s, const QString &k) {
    return s.trimmed().toCaseFolded() + '\n' + k.trimmed().toCaseFolded();
  }
  void remember(const QString &s, const QString &k, const QString &stored) {
    known.insert(nameOf(s, k), stored);
  }
};

SettingsFile::SettingsFile(QString path) : path_(std::move(path)) {}

SettingsFile::~SettingsFile() = default;

SettingsFile::Held &SettingsFile::held() const {
  if (!held_) held_.reset(new Held{load(path_), {}, {}});
  return *held_;
}

QString SettingsFile::defaultPath() {
  return QStandardPaths::writableLocation(
             QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Vrn32.ini");
}

int SettingsFile::readInteger(const QString &section, const QString &key,
                              int defaultValue) const {
  const std::optional<QString> text = valueIn(held().ini, section, key);
  const int value =
      text ? parseInteger(*text).value_or(defaultValue) : defaultValue;
  held().remember(section, key, QString::number(value));
  return value;
}

bool SettingsFile::readBool(const QString &section, const QString &key,
                            bool defaultValue) const {
  const bool value = readInteger(section, key, defaultValue ? 1 : 0) != 0;
  held().remember(section, key,
                  value ? QStringLiteral("1") : QStringLiteral("0"));
  return value;
}

QString SettingsFile::readString(const QString &section, const QString &key,
                                 const QString &defaultValue) const {
  const QString value =
      limited(valueIn(held().ini, section, key).value_or(defaultValue));
  held().remember(section, key, quoted(value));
  return value;
}

bool SettingsFile::readInPart() const { return held().ini && held().ini->cut; }

bool SettingsFile::writeInteger(const QString &section, const QString &key,
                                int value) {
  return writeString(section, key, QString::number(value));
}

bool SettingsFile::writeBool(const QString &section, const QString &key,
                             bool value) {
  return writeString(section, key,
                     value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool SettingsFile::canHold(const QString &section, const QString &key,
                           const QString &value) {
  return validSection(section.trimmed()) && validKey(key.trimmed()) &&
         !hasLineBreak(value);
}

bool SettingsFile::writeString(const QString &section, const QString &key,
                               const QString &value) {
  const QString s = section.trimmed();
  const QString k = key.trimmed();
  if (!validSection(s) || !validKey(k) || hasLineBreak(value)) return false;
  Held &h = held();
  if (!h.ini) return false;
  const QString stored = quoted(value);
  const QString name = Held::nameOf(s, k);
  const auto was = h.known.constFind(name);
  const bool changed = was == h.known.cend() || *was != stored;
  h.known.insert(name, stored);
  put(*h.ini, s, k, stored);
  h.changes.append({s, k, stored, changed});
  return true;
}

bool SettingsFile::save(QString *errorText) {
  Held &h = held();
  const auto failed = [&](int errorNumber) {
    if (errorText)
      *errorText =
          QStringLiteral("「%1」に書き込めません（%2）")
              .arg(path_, file_errors::writeReason(path_, errorNumber));
    return false;
  };
  errno = 0;
  std::optional<IniText> ini = load(path_);
  // A file that is there but cannot be read is not replaced.
  if (!ini) return failed(errno);
  if (ini->cut) keepOnlySectionsAndKeys(*ini);
  for (const Held::Change &c : std::as_const(h.changes))
    if (c.changed || !valueIn(ini, c.section, c.key))
      put(*ini, c.section, c.key, c.stored);
  const QString folder = QFileInfo(path_).absolutePath();
  errno = 0;
  if (!QDir().mkpath(folder)) return failed(errno);
  // In place only where the folder takes no temporary file: anywhere else
  // a failure (a full disk) leaves the old file as it was.
  const bool closed =
      ::access(QFile::encodeName(folder).constData(), W_OK) != 0;
  QString error;
  if (whole_file::write(path_, bytesOf(*ini),
                        closed ? whole_file::InPlace::WhenFolderIsClosed
                               : whole_file::InPlace::Never,
                        &error)) {
    ini->cut = false;  // it is now what the file holds
    h.ini = std::move(ini);
    h.changes.clear();
    return true;
  }
  // The settings file lies out of sight: the message names its whole path.
  const QString named =
      QStringLiteral("「%1」").arg(QFileInfo(path_).fileName());
  if (error.startsWith(named))
    error.replace(0, named.size(), QStringLiteral("「%1」").arg(path_));
  if (errorText) *errorText = error;
  return false;
}
