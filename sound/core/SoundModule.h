#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>

#include "sound/core/Sequencer.h"

class QThread;

// The sound module: FluidSynth and everything it brings, in a library of
// its own that the program loads only when a piece is to sound, so that a
// reader who never plays one, and the headless modes, never load it.
namespace sound_module {

// What the module hands out: a table of functions, the same for every
// build of the program and its module.
struct Api {
  int version;
  // A sequencer sounding through the SoundFont to the first audio output
  // that starts ("file" writes to `fileName` instead; empty `drivers` for
  // the usual ones). It is built on the calling thread and then belongs to
  // `home`, where its timers run and its reports come.
  Sequencer *(*makeSequencer)(const QString &soundFont,
                              const QStringList &drivers,
                              const QString &fileName, QThread *home);
  // Writes a piece (a standard MIDI file's bytes) to a WAV file, rendered
  // as fast as the synthesizer goes; false with the reason in `error`. A
  // piece longer than the bound is written up to there, and `cut` says so.
  bool (*renderToWav)(const QByteArray &piece, const QString &soundFont,
                      const QString &wavPath, QString *error, bool *cut);
  // The piece for a web page at the common loudness, as `stemPath`.mp3 and
  // `stemPath`.ogg (both or neither); false with the reason in `error`.
  // `stop` (when given), set meanwhile, ends it within a block of sound,
  // and nothing is written.
  bool (*renderForWeb)(const QByteArray &piece, const QString &soundFont,
                       const QString &stemPath, QString *error,
                       const std::atomic<bool> *stop);
};
constexpr int ApiVersion = 4;
// The one symbol the module exports.
constexpr char EntryName[] = "varnel_sound_module";

QString fileName();
// Beside the executable (the build tree), then the installed lib folder.
QStringList usualFolders();
// Loads the module from the first folder holding it, once for the whole
// run; null with the reason worded for the user in `error`.
const Api *load(const QStringList &folders, QString *error);
inline const Api *load(QString *error) { return load(usualFolders(), error); }

}  // namespace sound_module
