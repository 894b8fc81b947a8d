#include "support/RecordingView.h"

#include "score/core/ScorePage.h"

void RecordingView::resizeCanvas(int staffCount, int staffWidth) {
  resizes.append({staffCount, staffWidth});
}

void RecordingView::redrawPaper(int staffCount) {
  paperRedraws.append(staffCount);
}

std::optional<QByteArray> RecordingView::replayInputs(const ScorePage &page) {
  replays.append(page.count());
  return replayError;
}

void RecordingView::drawInput(const QByteArray &content, int x, int y) {
  drawn.append({content, x, y});
}

void RecordingView::setBusy(bool on) {
  busy = on;
  ++busyChanges;
}

bool RecordingView::writeCanvasBitmap(const QString &path, QString *error) {
  bitmapPaths.append(path);
  if (bitmapError.isEmpty()) return true;
  if (error) *error = bitmapError;
  return false;
}
