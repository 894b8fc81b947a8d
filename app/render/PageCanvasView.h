#pragma once

#include <memory>

#include "app/core/DocumentView.h"
#include "score/render/Canvas.h"

class X11ClipboardHead;

// The document's view on a real canvas bitmap, the real clipboard and the
// application's hourglass.
class PageCanvasView : public DocumentView {
 public:
  PageCanvasView();
  ~PageCanvasView() override;

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
  // Another program's text on X comes from a reader of its own, which
  // leaves the window free while the owner answers.
  void readClipboardHead(int characters, QObject *context,
                         std::function<void(const QString &)> heard) override;
  void setClipboardText(const QString &text) override;
  void copyCanvasToClipboard() override;
  bool writeCanvasBitmap(const QString &path, QString *error) override;

 private:
  Canvas canvas_;
  int busyDepth_ = 0;
  std::unique_ptr<X11ClipboardHead> x11Head_;  // made at the first read
};
