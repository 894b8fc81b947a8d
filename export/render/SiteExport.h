#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

// A course, or one page, written as a static website: an index that is the
// course's contents, one HTML file per entry with its staff paper as SVG,
// its text and its piece as MP3 and Ogg Opus, the style sheet, the
// arrow-key script and a subset of the Mincho font beside them. Every name is
// relative, so the folder can be moved or served by any web server. Each file
// is written whole or not at all, and the index comes last: a site that failed
// or was stopped has no index of its own.
//
// The export owns only what it writes: a list of its files stays in the
// folder (see SiteManifest.h), a new export takes away the files of the last
// one that the site no longer has, and a link found where a file of the
// site goes is replaced, never written through.
namespace site_export {

// Makes the compressed sound of a piece (a standard MIDI file's bytes) as
// the files `stemPath` plus the suffixes of site_sound::sources; false with
// the reason, naming the file, in `error`. `stop`, once set, asks it to give
// up at once and write nothing.
using SoundMaker =
    std::function<bool(const QByteArray &piece, const QString &stemPath,
                       QString *error, const std::atomic<bool> &stop)>;
// Told as the pages, the pieces and the booklet are done, and while a
// piece is awaited; false stops the export.
using Progress = std::function<bool(int done, int total)>;

struct Options {
  SoundMaker sound;      // null: the pages go without sound
  QString soundProblem;  // why there is no sound maker, said once
  Progress progress;
  // Writes into a folder that holds files no export wrote; without it such
  // a folder is refused.
  bool force = false;
};

struct Outcome {
  QStringList errors;  // each names its file
  QStringList warnings;
  QStringList foreign;  // the files that made the folder be refused
  // Stopped by the progress: what this run wrote was taken away again.
  bool cancelled = false;
  int pages = 0;  // the pages written
  bool ok() const { return errors.isEmpty() && !cancelled; }
};

// The sound module's renderer through the best SoundFont; null, with the
// reason in `problem`, when there is none.
SoundMaker moduleSound(QString *problem);

Outcome write(const QString &source, const QString &folder,
              const Options &options);

// Says that the folder holds files that are not the site's, naming some.
QString foreignMessage(const QString &folder, const QStringList &names);

// The command line: writes the site, prints what went wrong on standard
// error, and returns the exit status (0 written, 1 failed).
int runCommand(const QString &source, const QString &folder, bool force);

}  // namespace site_export
