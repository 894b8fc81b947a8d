#include <QMouseEvent>
#include <QScreen>

#include "gui/InputFixture.h"

// The program on a screen of two device pixels to the pixel, as under
// QT_SCALE_FACTOR=2 (this binary's main sets it).

namespace {

class HiDpi : public InputTest {
 protected:
  HiDpi() { doc().session().setExecutive(true); }
  // A click at a point between the pixels of the program's own grid.
  void clickAt(QPointF at) {
    for (QEvent::Type type :
         {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(
          type, at, canvasView()->mapToGlobal(at), Qt::LeftButton,
          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
          Qt::NoModifier);
      QApplication::sendEvent(canvasView(), &event);
    }
  }
};

}  // namespace

TEST_F(HiDpi, ClicksLandOnThePagePixelOfTheDevicePixel) {
  ASSERT_EQ(canvasView()->devicePixelRatio(), 2);
  action("Palette1")->trigger();
  // Device pixels 202 and 203 are page pixel 101 at 100 %; at 150 % page
  // pixel 102 is device pixels 306 to 308.
  for (double x : {101.0, 101.5}) clickAt({x, 49.5});
  zoomTo(150);
  for (double x : {153.0, 154.0}) clickAt({x, 49.5});
  const QString path = scratch.file(QStringLiteral("dense.fum"));
  messages.paths = {path};
  ASSERT_TRUE(doc().saveAs());
  const QByteArray saved = readBytes(path).replace("\r\n^", "");
  EXPECT_TRUE(
      saved.contains("|4|610|`14|101|48|`14|101|48|`14|102|32|`14|102|32|\r\n"))
      << saved.data();
}

// The page at its natural size is drawn with the screen's own pixels:
// glyphs and lines as 2 x 2 blocks, texts laid out afresh.
TEST_F(HiDpi, ThePageIsDrawnAtTheDevicesResolution) {
  doc().appendInput("`14", 40, 44);
  doc().appendInput("Ab", 300, 100);
  const QImage shown =
      canvasView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), canvas().size() * 2);
  const QImage blocks = blockScaled(canvas(), 2, shown.size());
  const QRect art(0, 0, 580, shown.height());
  const QRect text(596, 196, 80, 40);
  EXPECT_EQ(shown.copy(art), blocks.copy(art));
  EXPECT_NE(shown.copy(text), blocks.copy(text));
}

// A run at scale 2 sees a screen half as large: the windows are fitted
// onto it, but the places stored for scale 1 stay as they were.
TEST_F(HiDpi, ARunAtScaleTwoLeavesTheStoredPlaces) {
  const char *keys[] = {"Left", "Top", "Width", "Height"};
  const auto stored = [&](const char *section) {
    QList<int> values;
    for (const char *key : keys)
      values << settings.readInteger(QLatin1String(section), QLatin1String(key),
                                     -1);
    return values;
  };
  const QList<int> main{100, 80, 640, 455}, text{720, 560, 500, 136};
  for (int i = 0; i < 4; ++i) {
    settings.writeInteger(QStringLiteral("MainForm"), QLatin1String(keys[i]),
                          main[i]);
    settings.writeInteger(QStringLiteral("TextForm"), QLatin1String(keys[i]),
                          text[i]);
  }
  screen = QGuiApplication::primaryScreen()->size();
  ASSERT_LT(screen.width(), 720);
  start();
  form().show();
  EXPECT_EQ(program->text().x() + program->text().width(), screen.width());
  form().close();
  EXPECT_EQ(stored("MainForm"), main);
  EXPECT_EQ(stored("TextForm"), text);
}
