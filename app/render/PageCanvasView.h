#pragma once

#include "app/core/DocumentView.h"
#include "score/render/Canvas.h"

// The document's view on a real canvas bitmap, the real clipboard and the
// application's hourglass.
class PageCanvasView : public DocumentView {
 public:
  const Canvas &canvas() const { return canvas_; }

  void resizeCanvas(int staffCount, int staffWidth) override;
  void redrawPaper(int staffCount) override;
  std::optional<QByteArray> replayInputs(const ScorePage &page) override;
  void drawInput(const QByteArray &content, int x, int y) override;
  void drawEraseMarker(int x, int y) override;
  void drawXorFrame(int left, int top, int right, int bottom) override;
  // A canvas alone has no caption and no tool bar; the main window's view
  // shows them.
  void showCaption(const QString &) override {}
  void showProtectIndicator(bool) override {}
  void setBusy(bool busy) override;
  QString clipboardText() override;
  void setClipboardText(const QString &text) override;
  void copyCanvasToClipboard() override;
  bool writeCanvasBitmap(const QString &path, QString *error) override;

 private:
  Canvas canvas_;
  int busyDepth_ = 0;
};
