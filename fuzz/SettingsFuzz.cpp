// Feeds any bytes to the settings reader as the settings file, reads every
// key the program uses and every name the file itself holds as each kind of
// value, then writes a value and reads it back: the value comes back as
// written, and every other key keeps its value.

#include <QFile>
#include <QList>
#include <QPair>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "FuzzCheck.h"
#include "app/core/SettingsFile.h"

namespace {

using Name = QPair<QString, QString>;  // section, key

// Where the settings file is written, removed at the end of the run.
const QTemporaryDir &folder() {
  static const QTemporaryDir dir;
  return dir;
}

// The keys the program reads.
QList<Name> programKeys() {
  return {{"Fum", "MaxChar"},    {"Fum", "Executive"},
          {"Fum", "Folder"},     {"Vrn", "Varnel.vrn"},
          {"MainForm", "Left"},  {"MainForm", "Maximized"},
          {"RecentFiles", "r1"}, {"RecentFiles", "r4"}};
}

// Section and key names as they stand in the file, found without the
// reader's help: whatever follows "[" up to "]", whatever precedes "=".
QList<Name> namesInFile(const QByteArray &bytes) {
  QStringList sections, keys;
  static const QRegularExpression lineEnd(QStringLiteral("[\r\n]"));
  const QString text = QString::fromUtf8(bytes);
  for (QString line : text.split(lineEnd)) {
    line = line.trimmed();
    if (line.startsWith('[') && line.contains(']'))
      sections.append(line.mid(1, line.indexOf(']') - 1));
    else if (line.contains('='))
      keys.append(line.left(line.indexOf('=')));
  }
  sections = sections.mid(0, 4);
  keys = keys.mid(0, 6);
  QList<Name> names;
  for (const QString &section : sections)
    for (const QString &key : keys) names.append({section, key});
  return names;
}

bool sameName(const Name &a, const Name &b) {
  return a.first.trimmed().compare(b.first.trimmed(), Qt::CaseInsensitive) ==
             0 &&
         a.second.trimmed().compare(b.second.trimmed(), Qt::CaseInsensitive) ==
             0;
}

const QString Missing = QStringLiteral("\x01missing");

QList<QString> readAll(const SettingsFile &settings, const QList<Name> &names) {
  QList<QString> values;
  for (const Name &name : names) {
    const QString text = settings.readString(name.first, name.second, Missing);
    CHECK(text.size() <= SettingsFile::MaxTextLength);
    const int number = settings.readInteger(name.first, name.second, -7);
    CHECK(settings.readBool(name.first, name.second, number != 0) ==
          (number != 0));
    values.append(text);
  }
  return values;
}

QString limited(QString text) {
  if (text.size() > SettingsFile::MaxTextLength) {
    text.truncate(SettingsFile::MaxTextLength);
    if (text.back().isHighSurrogate()) text.chop(1);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  folder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes = fuzzBytes(data, size);
  const QString path = folder().filePath(QStringLiteral("Vrn32.ini"));
  {
    QFile file(path);
    CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    CHECK(file.write(bytes) == bytes.size());
  }
  SettingsFile settings(path);
  QList<Name> names = programKeys() + namesInFile(bytes);
  const QList<QString> before = readAll(settings, names);

  // A name from the list and, as the value, the file's last line.
  const Name target = names[size % names.size()];
  const qsizetype lastBreak =
      std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
  const QString value = QString::fromUtf8(bytes.mid(lastBreak + 1));
  const bool holdable =
      SettingsFile::canHold(target.first, target.second, value);
  CHECK(settings.writeString(target.first, target.second, value) == holdable);
  if (!holdable) return 0;
  CHECK(settings.readString(target.first, target.second, Missing) ==
        limited(value));
  const QList<QString> after = readAll(settings, names);
  for (qsizetype i = 0; i < names.size(); ++i)
    if (!sameName(names[i], target)) CHECK(after[i] == before[i]);

  const int number = static_cast<int>(qHash(bytes));
  CHECK(settings.writeInteger(target.first, target.second, number));
  CHECK(settings.readInteger(target.first, target.second, number ^ 1) ==
        number);
  CHECK(settings.writeBool(target.first, target.second, number & 1));
  CHECK(settings.readBool(target.first, target.second, !(number & 1)) ==
        bool(number & 1));
  // What was saved reads back the same from the file.
  CHECK(settings.save());
  CHECK(readAll(SettingsFile(path), names) == readAll(settings, names));
  return 0;
}
