#pragma once

#include <QString>
#include <memory>

// The program's settings file Vrn32.ini, a private-profile (INI) text file:
// "[Section]" lines open sections, "key=value" lines hold values, lines
// starting with ";" are comments. Section and key names match without
// regard to case; the first matching key of the first matching section
// counts. The file is stored in UTF-8 (a file that is not valid UTF-8 is
// read as code page 932 and written back as UTF-8).
//
// The file is read once, at the first read or write; writes change the
// values held and are stored together by save(), so the program reads the
// file once at start-up and writes it once at shut-down. Only its first
// MaxLines lines and MaxBytes bytes are read, in whole lines: a huge file
// neither slows the start and the close nor fills the memory.
class SettingsFile {
 public:
  explicit SettingsFile(QString path);
  ~SettingsFile();

  QString path() const { return path_; }
  // Vrn32.ini in the user's configuration folder (honours XDG_CONFIG_HOME).
  static QString defaultPath();

  // Decimal, or hexadecimal after "0x"/"0X"; anything else gives the
  // default, as does a missing file, section or key.
  int readInteger(const QString &section, const QString &key,
                  int defaultValue) const;
  // An integer that is true when it is not 0.
  bool readBool(const QString &section, const QString &key,
                bool defaultValue) const;
  // At most MaxTextLength characters. A value written in quotes comes back
  // without them.
  QString readString(const QString &section, const QString &key,
                     const QString &defaultValue) const;

  // Each write creates the section or the key as needed and keeps every
  // other line. False when the file cannot be read, or when the name or
  // value cannot be held in the file: a section name with "]", a key with
  // "=" or starting with "[" or ";", an empty name, a line break anywhere.
  bool writeInteger(const QString &section, const QString &key, int value);
  // Written as "1" or "0".
  bool writeBool(const QString &section, const QString &key, bool value);
  // A value with surrounding spaces is written in quotes so that it comes
  // back unchanged.
  bool writeString(const QString &section, const QString &key,
                   const QString &value);

  // Whether a name and value can be written so that they read back.
  static bool canHold(const QString &section, const QString &key,
                      const QString &value);

  // Stores the values written since the last save, creating the folder and
  // the file as needed. The file is read again and only the values this
  // run changed (from what it read, or wrote before) are put on it, so that
  // what another copy of the program stored meanwhile stays; a value
  // written unchanged only fills in a key the file lacks. The new file
  // replaces the old one only once all of it is on the disk: on failure
  // the old file stays as it was and the message, naming the file and the
  // reason, is put in errorText. In a folder that takes no temporary file,
  // a file the user may write is written in place.
  bool save(QString *errorText = nullptr);

  // Whether the file was longer than MaxBytes or MaxLines, so that what lies
  // beyond was not read. A save then writes back only the sections and keys
  // read.
  bool readInPart() const;

  static constexpr int MaxTextLength = 1023;
  static constexpr qsizetype MaxBytes = 1024 * 1024;
  static constexpr qsizetype MaxLines = 10000;

 private:
  struct Held;
  Held &held() const;

  QString path_;
  mutable std::unique_ptr<Held> held_;
};
