#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "app/core/DocumentView.h"

// A canvas that draws nothing and remembers every call (and the caption and
// protect indicator it was last told), with a clipboard text the test sets
// and a bitmap export that can be told to fail.
class RecordingView : public DocumentView {
 public:
  struct Size {
    int staffCount;
    int staffWidth;
    bool operator==(const Size &) const = default;
  };
  struct Drawn {
    QByteArray content;
    int x;
    int y;
    bool operator==(const Drawn &) const = default;
  };

  QList<Size> resizes;      // every resizeCanvas
  QList<int> paperRedraws;  // the staff count of every redrawPaper
  QList<int> replays;       // the input count of every replayInputs
  QList<Drawn> drawn;       // every drawInput
  QList<QPoint> markers;    // every drawEraseMarker
  // A rectangle's left, top, right and bottom.
  struct Frame {
    int left, top, right, bottom;
    bool operator==(const Frame &) const = default;
  };
  QList<Frame> frames;  // every drawXorFrame, as called
  // The outlines the XOR drawing leaves on the canvas, corners in order: a
  // second drawing takes one away, fresh paper takes all, and a frame
  // without width or height leaves nothing.
  QList<Frame> framesShown;
  std::optional<QByteArray> replayError;  // what replayInputs returns
  QString caption;                        // the last showCaption
  bool protectRed = false;                // the last showProtectIndicator
  bool busy = false;
  int busyChanges = 0;
  QString clipboard;
  QStringList clipboardWrites;  // every setClipboardText
  // A slow clipboard: each head asked for waits in heldHeads, to be
  // answered in any order with the text as it was when asked.
  bool slowClipboard = false;
  QList<std::function<void()>> heldHeads;
  int canvasCopies = 0;
  QStringList bitmapPaths;  // every writeCanvasBitmap
  QString bitmapError;      // when set, writeCanvasBitmap fails with it

  void resizeCanvas(int staffCount, int staffWidth) override;
  void redrawPaper(int staffCount) override;
  std::optional<QByteArray> replayInputs(const ScorePage &page) override;
  void drawInput(const QByteArray &content, int x, int y) override;
  void drawEraseMarker(int x, int y) override { markers << QPoint(x, y); }
  void drawXorFrame(int left, int top, int right, int bottom) override;
  void showCaption(const QString &text) override { caption = text; }
  void showProtectIndicator(bool red) override { protectRed = red; }
  void setBusy(bool on) override;
  QString clipboardText() override { return clipboard; }
  void readClipboardHead(int characters, QObject *context,
                         std::function<void(const QString &)> heard) override {
    if (!slowClipboard)
      return DocumentView::readClipboardHead(characters, context, heard);
    heldHeads << [heard, head = clipboard.left(characters)] { heard(head); };
  }
  void setClipboardText(const QString &text) override {
    clipboard = text;
    clipboardWrites << text;
  }
  void copyCanvasToClipboard() override { ++canvasCopies; }
  bool writeCanvasBitmap(const QString &path, QString *error) override;
};
