#include "app/render/PageCanvasView.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>

#include "app/render/X11ClipboardHead.h"
#include "export/render/ImageFile.h"

PageCanvasView::PageCanvasView() = default;
PageCanvasView::~PageCanvasView() = default;

void PageCanvasView::resizeCanvas(int staffCount, int staffWidth) {
  canvas_.ResizeCanvas(staffCount, staffWidth);
}

void PageCanvasView::redrawPaper(int staffCount) {
  canvas_.RedrawPaper(staffCount);
}

std::optional<QByteArray> PageCanvasView::replayInputs(const ScorePage &page) {
  const auto error = canvas_.ReplayInputs(page);
  if (!error) return std::nullopt;
  return error->text;
}

void PageCanvasView::drawInput(const QByteArray &content, int x, int y) {
  canvas_.drawInput(content, x, y);
}

void PageCanvasView::drawEraseMarker(int x, int y) {
  canvas_.xorEraseMarker(x, y);
}

void PageCanvasView::drawXorFrame(int left, int top, int right, int bottom) {
  canvas_.xorFrame(left, top, right, bottom);
}

void PageCanvasView::setBusy(bool busy) {
  if (busy) {
    if (busyDepth_++ == 0)
      QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
    QGuiApplication::restoreOverrideCursor();
  }
}

QString PageCanvasView::clipboardText() {
  return QGuiApplication::clipboard()->text();
}

void PageCanvasView::readClipboardHead(
    int characters, QObject *context,
    std::function<void(const QString &)> heard) {
  // Our own text is here already; elsewhere than on X, Qt's clipboard
  // answers as it does.
  QClipboard *clipboard = QGuiApplication::clipboard();
  if (QGuiApplication::platformName() == QLatin1String("xcb") &&
      !clipboard->ownsClipboard()) {
    if (!x11Head_) x11Head_ = std::make_unique<X11ClipboardHead>();
    if (x11Head_->connected()) {
      x11Head_->read(characters, context, std::move(heard));
      return;
    }
  }
  heard(clipboard->text().left(characters));
}

void PageCanvasView::setClipboardText(const QString &text) {
  QGuiApplication::clipboard()->setText(text);
}

void PageCanvasView::copyCanvasToClipboard() {
  QGuiApplication::clipboard()->setImage(canvas_.image().copy());
}

bool PageCanvasView::writeCanvasBitmap(const QString &path, QString *error) {
  // PNG for a ".png" name, as the command line does; else the bitmap.
  const bool png = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
  return image_file::write(canvas_.image(), path, png ? "png" : "bmp", error);
}
