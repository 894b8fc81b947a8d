#pragma once

#include <QList>
#include <QString>

// What a reader or writer has to say about a file, worded as the user
// reads it, for the command that called it to show or print. Readers and
// writers return these instead of asking anyone to show them.
struct Report {
  enum class Kind {
    Error,    // a plain error
    Warning,  // the work went on
    Stop,     // a failure nothing else reports
  };
  Kind kind = Kind::Error;
  QString text;

  static Report error(const QString &text) { return {Kind::Error, text}; }
  static Report warning(const QString &text) { return {Kind::Warning, text}; }
  // The text ends with a stop: "." unless it has one.
  static Report stop(const QString &text);
  // A text that should have been a whole number; a long text is quoted by
  // its head.
  static Report notAnInteger(const QString &text);

  bool isFailure() const { return kind != Kind::Warning; }
  // The text on one line, as the command line prints it.
  QString line() const;
  bool operator==(const Report &) const = default;
};

using Reports = QList<Report>;

// True when any of `reports` is a failure rather than a warning.
bool anyFailure(const Reports &reports);
