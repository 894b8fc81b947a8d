#include "support/RecordingView.h"

#include <algorithm>

#include "score/core/ScorePage.h"

void RecordingView::resizeCanvas(int staffCount, int staffWidth) {
  resizes.append({staffCount, staffWidth});
  framesShown.clear();
}

void RecordingView::redrawPaper(int staffCount) {
  paperRedraws.append(staffCount);
  framesShown.clear();
}

void RecordingView::drawXorFrame(int left, int top, int right, int bottom) {
  frames.append({left, top, right, bottom});
  const Frame shown{std::min(left, right), std::min(top, bottom),
                    std::max(left, right), std::max(top, bottom)};
  if (shown.left == shown.right || shown.top == shown.bottom) return;
  if (!framesShown.removeOne(shown)) framesShown.append(shown);
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
