#pragma once

#include <QString>
#include <QStringList>

#include "sound/core/Sequencer.h"

// A sequencer that plays nothing, moves through its piece only when told,
// and remembers what it was asked. The end report comes when the test calls
// finish(), as the real one comes on an event of its own.
class ScriptedSequencer : public Sequencer {
 public:
  explicit ScriptedSequencer(int outputCount = 0) : outputs(outputCount) {}

  int outputs;
  QStringList refused;        // paths whose open fails, with refusalText
  QString refusalText;        // empty: the sequencer has no words for it
  bool othersHoldIt = false;  // a play does not lead to playing
  qint64 pieceLength = 100;
  qint64 millisecondsPerTick = 1000;  // the scripted piece takes 1:40

  // "open <path>", "close", "play", "stop", "seek", "seek <position>"
  QStringList calls;
  QString openPath;  // empty while nothing is open
  qint64 at = 0;     // the position
  bool playing = false;

  // The piece has played to `position` (its end by default) and the end
  // report is delivered.
  void finish(qint64 position = -1);
  // Moves the piece on while it plays, as time would.
  void advance(qint64 ticks);

  // Still preparing until ready(), or until a settle() makes it ready.
  bool stillPreparing = false;
  QString reason;  // why nothing can sound
  void ready() {
    stillPreparing = false;
    reportReady();
  }

  int outputCount() override { return outputs; }
  QString silenceReason() const override { return reason; }
  bool preparing() const override { return stillPreparing; }
  void settle() override {
    if (stillPreparing) ready();
  }
  bool open(const QString &path, QString *error) override;
  void close() override;
  void play() override;
  void stop() override;
  void seekToStart() override;
  void seek(qint64 position) override;
  Mode mode() const override;
  qint64 position() const override { return at; }
  qint64 length() const override {
    return openPath.isEmpty() ? 0 : pieceLength;
  }
  qint64 milliseconds(qint64 position) const override {
    return position * millisecondsPerTick;
  }

  int endReportsPending = 0;  // interrupted plays whose report has not come
  // Delivers the reports of stops, seeks and closes.
  void deliverReports();
};
