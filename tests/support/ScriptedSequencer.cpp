#include "support/ScriptedSequencer.h"

#include <algorithm>

bool ScriptedSequencer::open(const QString &path, QString *error) {
  close();
  calls << QStringLiteral("open ") + path;
  if (refused.contains(path)) {
    *error = refusalText;
    return false;
  }
  openPath = path;
  at = 0;
  return true;
}

void ScriptedSequencer::close() {
  if (openPath.isEmpty()) return;
  calls << QStringLiteral("close");
  if (playing) ++endReportsPending;
  playing = false;
  openPath.clear();
  at = 0;
}

void ScriptedSequencer::play() {
  calls << QStringLiteral("play");
  if (openPath.isEmpty() || othersHoldIt) return;
  playing = true;
}

void ScriptedSequencer::stop() {
  calls << QStringLiteral("stop");
  if (playing) ++endReportsPending;
  playing = false;
}

void ScriptedSequencer::seekToStart() {
  calls << QStringLiteral("seek");
  if (playing) ++endReportsPending;
  playing = false;
  at = 0;
}

void ScriptedSequencer::seek(qint64 position) {
  calls << QStringLiteral("seek %1").arg(position);
  if (playing) ++endReportsPending;
  playing = false;
  at = std::clamp(position, qint64(0), length());
}

Sequencer::Mode ScriptedSequencer::mode() const {
  if (openPath.isEmpty()) return Mode::NotReady;
  return playing ? Mode::Playing : Mode::Stopped;
}

void ScriptedSequencer::advance(qint64 ticks) {
  if (playing) at = std::min(at + ticks, pieceLength);
}

void ScriptedSequencer::finish(qint64 position) {
  at = position < 0 ? pieceLength : position;
  playing = false;
  reportEnd();
}

void ScriptedSequencer::deliverReports() {
  for (; endReportsPending > 0; --endReportsPending) reportEnd();
}
