#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QObject;

class ScorePage;

// What the document needs from the screen: the canvas it draws the page
// on, the window's caption and protect indicator, the hourglass, the
// clipboard and the canvas as a bitmap. The program gives it the real
// window; tests give it one that records the calls.
class DocumentView {
 public:
  virtual ~DocumentView() = default;

  // Sizes the canvas for the staves and width and draws fresh paper.
  virtual void resizeCanvas(int staffCount, int staffWidth) = 0;
  // Fresh staff paper of the current size.
  virtual void redrawPaper(int staffCount) = 0;
  // Draws every input of the page over the current picture; the text of
  // the first number that does not convert, when the replay stopped there.
  virtual std::optional<QByteArray> replayInputs(const ScorePage &page) = 0;
  // Draws one input alone, as the last one appended.
  virtual void drawInput(const QByteArray &content, int x, int y) = 0;
  // The step-erase marker around an input's anchor, drawn so that drawing
  // it again at the same place takes it away.
  virtual void drawEraseMarker(int x, int y) = 0;
  // The one-pixel outline of a rectangle in canvas pixels, XORed with
  // RGB(0, 128, 0) so that drawing it again takes it away. The corners may
  // come in either order; the outline runs along the pixels from the
  // smaller corner up to one before the larger, as Windows frames a
  // rectangle, and a rectangle without width or height draws nothing.
  virtual void drawXorFrame(int left, int top, int right, int bottom) = 0;

  // The main window's caption: the page's file name, the course's title or
  // what the page was taken from.
  virtual void showCaption(const QString &caption) = 0;
  // The tool bar turns red while the administrator has a protected page.
  virtual void showProtectIndicator(bool red) = 0;

  // The hourglass while a page is read and drawn.
  virtual void setBusy(bool busy) = 0;

  // The clipboard's whole text.
  virtual QString clipboardText() = 0;
  // Hands at least the first `characters` characters of the clipboard's
  // text (empty when it holds none) to `heard`, here at once. A view whose
  // clipboard may be slow answers later, from `context`'s event loop and
  // only while `context` lives, or not at all for a request a newer one
  // overtook.
  virtual void readClipboardHead(int characters, QObject *context,
                                 std::function<void(const QString &)> heard) {
    (void)context;
    heard(clipboardText().left(characters));
  }
  virtual void setClipboardText(const QString &text) = 0;
  virtual void copyCanvasToClipboard() = 0;
  // Writes the canvas as a ".bmp" file; false with the reason on failure.
  virtual bool writeCanvasBitmap(const QString &path, QString *error) = 0;
};
