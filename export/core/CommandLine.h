#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The program's command line: the window with the files to open, or one
// command that runs without a window. Every command is one row of a table,
// so the parser, the checks and the usage text follow from that row.
namespace command_line {

// What a command is given: its arguments in order (the option's own value
// first) and the values of its extra options ("" for a switch).
struct Request {
  QStringList arguments;
  QMap<QString, QString> options;
};

// An option only one command takes, e.g. "maxchar" with value "N".
struct ExtraOption {
  QString name;
  QString valueName;  // empty for a switch
  bool required = false;
};

struct Command {
  QString name;           // the option without its dashes
  QStringList arguments;  // the names shown in the usage text
  QString description;    // what it does, for the usage text
  QList<ExtraOption> extras = {};
  int (*run)(const Request &) = nullptr;
  // The last argument may be given any number of times, at least once.
  bool repeatsLast = false;
};

struct Parsed {
  enum class Kind { Window, Help, Version, Usage, Command };
  Kind kind = Kind::Window;
  const Command *command = nullptr;  // for Command
  Request request;                   // for Command
  QStringList files;                 // for Window
  QString error;                     // for Usage
};

// `arguments` without the program name.
Parsed parse(const QStringList &arguments, const QList<Command> &commands);

QString usage(const QList<Command> &commands);
QString versionText();

// The exit statuses the program promises.
constexpr int Success = 0;
constexpr int Failure = 1;
constexpr int UsageError = 2;

}  // namespace command_line
