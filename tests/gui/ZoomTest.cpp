#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "InputFixture.h"
#include "score/render/Canvas.h"

namespace {

class ZoomInput : public InputTest {
 protected:
  ZoomInput() { doc().session().setExecutive(true); }
  QWidget *viewport() {
    return child<QScrollArea>(form(), "ScrollBox1")->viewport();
  }
  // The page pixel under a point of the scroll area's view.
  QPoint pageAt(QPoint inView) {
    return canvasView()->pagePoint(canvasView()->mapFrom(viewport(), inView));
  }
};

}  // namespace

// Whatever the zoom, a click stamps on the page pixel it lands on, from
// the first screen pixel of that page pixel to the last; the glyph cursor
// grows with the page.
TEST_F(ZoomInput, ClicksLandOnThePagePixelUnderThePointer) {
  action("Palette1")->trigger();
  QByteArray expected;
  int x = 101;
  for (int percent : {100, 200, 350, 800}) {
    zoomTo(percent);
    const QPoint first = shownAt(x, 49, percent);
    const QPoint last = shownAt(x + 1, 50, percent) - QPoint(1, 1);
    for (QPoint at : {first, last}) {
      QTest::mouseClick(canvasView(), Qt::LeftButton, {}, at);
      expected += "`14|" + QByteArray::number(x) + "|48|";
    }
    ++x;
    if (percent == 200) {
      EXPECT_EQ(canvasView()->cursor().bitmap().size(), QSize(64, 64));
      EXPECT_EQ(canvasView()->cursor().hotSpot(), QPoint(33, 33));
    }
  }
  const QString path = scratch.file(QStringLiteral("zoomed.fum"));
  messages.paths = {path};
  ASSERT_TRUE(doc().saveAs());
  // Long lines go on after "^".
  const QByteArray saved = readBytes(path).replace("\r\n^", "");
  EXPECT_TRUE(saved.contains("|4|610|" + expected + "\r\n")) << saved.data();
}

// Ctrl+wheel keeps the page point under the pointer in its place; the keys
// zoom in the usual steps.
TEST_F(ZoomInput, TheWheelAndTheKeysZoomAboutAPoint) {
  form().resize(400, 300);
  form().show();
  zoomTo(200);
  QScrollArea *scroll = child<QScrollArea>(form(), "ScrollBox1");
  scroll->horizontalScrollBar()->setValue(100);
  scroll->verticalScrollBar()->setValue(50);
  const QPoint pointer(150, 80);
  const QPoint under = pageAt(pointer);
  const QPoint onCanvas = canvasView()->mapFrom(viewport(), pointer);
  QWheelEvent notch(onCanvas, canvasView()->mapToGlobal(onCanvas), {}, {0, 120},
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(canvasView(), &notch);
  EXPECT_EQ(canvasView()->zoom(), 3.0);
  EXPECT_EQ(pageAt(pointer), under);

  // A reader, whose View menu is hidden, has the keys too.
  doc().session().setExecutive(false);
  form().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
  const std::pair<Qt::Key, double> keys[] = {
      {Qt::Key_Minus, 2.0}, {Qt::Key_0, 1.0}, {Qt::Key_Plus, 1.5}};
  for (const auto &[key, zoom] : keys) {
    QTest::keyClick(&form(), key, Qt::ControlModifier);
    EXPECT_EQ(canvasView()->zoom(), zoom) << key;
  }
}

// Above its natural size the page is pixel art: each page pixel of a glyph,
// a staff line or an XOR mark is a block of whole screen pixels, neither
// blurred nor moved (at 200 % a line is two black rows, a glyph pixel a
// 2 x 2 square); the texts are drawn again at the finer resolution.
TEST(ZoomedPixels, PagePixelsAreWholeBlocksAndTextsAreDrawnAnew) {
  Canvas canvas;
  canvas.ResizeCanvas(1, 120);
  canvas.drawGlyph(40, 44, 14);
  canvas.drawText(72, 30, "Ab");
  canvas.xorFrame(8, 20, 60, 70);
  canvas.xorEraseMarker(30, 60);
  CanvasView view(canvas);
  for (int percent : {150, 200, 350}) {
    view.setZoom(percent / 100.0);
    const QImage shown =
        view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const double scale = percent / 100.0;
    const QImage blocks = blockScaled(canvas.image(), scale, shown.size());
    const int textLeft = int(std::ceil(70 * scale));
    const QRect art(0, 0, textLeft, shown.height());
    const QRect text(textLeft, 0, shown.width() - textLeft, shown.height());
    EXPECT_EQ(shown.copy(art), blocks.copy(art)) << percent;
    EXPECT_NE(shown.copy(text), blocks.copy(text)) << percent;
  }
}
