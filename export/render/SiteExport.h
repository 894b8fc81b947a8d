#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

// A course, or one page, written as a static website: an index that is the
// course's contents, one HTML file per entry with its staff paper as SVG,
// its text and its piece as MP3 and Ogg Opus, the style sheet, the
// arrow-key script and a subset of the Mincho font beside them. Every name is
// relative, so the folder can be moved or served by any web server. Each file
// is written whole or not at all, and the index comes last: a site that failed
// or was stopped has no index of its own.
namespace site_export {

// Makes the compressed sound of a piece (a standard MIDI file's bytes) as
// the files `stemPath` plus the suffixes of site_sound::sources; false with
// the reason, naming the file, in `error`.
using SoundMaker = std::function<bool(const QByteArray &piece,
                                      const QString &stemPath, QString *error)>;
// Told before each page and once at the end; false stops the export.
using Progress = std::function<bool(int done, int total)>;

struct Options {
  SoundMaker sound;      // null: the pages go without sound
  QString soundProblem;  // why there is no sound maker, said once
  Progress progress;
};

struct Outcome {
  QStringList errors;  // each names its file
  QStringList warnings;
  bool cancelled = false;
  int pages = 0;  // the pages written
  bool ok() const { return errors.isEmpty() && !cancelled; }
};

// The sound module's renderer through the best SoundFont; null, with the
// reason in `problem`, when there is none.
SoundMaker moduleSound(QString *problem);

Outcome write(const QString &source, const QString &folder,
              const Options &options);

// The command line: writes the site, prints what went wrong on standard
// error, and returns the exit status (0 written, 1 failed).
int runCommand(const QString &source, const QString &folder);

}  // namespace site_export
