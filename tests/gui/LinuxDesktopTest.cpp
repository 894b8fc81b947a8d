#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <climits>

#include "app/windows/QtMessages.h"
#include "score/core/ScorePage.h"
#include "score/render/Canvas.h"
#include "score/render/GlyphSet.h"
#include "support/TestFiles.h"

// What the program adds to Qt's dialogs, and drawing what a page file may
// put anywhere.

TEST(QtDialogs, FiltersShowEachPatternOnce) {
  const struct {
    const char *pipe;
    const char *qt;
  } cases[] = {
      {"譜面ファイル(*.fum)|*.fum|すべてのファイル(*.*)|*.*",
       "譜面ファイル (*.fum);;すべてのファイル (*)"},
      {"目次ファイル(*.vrn),譜面ファイル(*.fum)|*.vrn;*.fum",
       "目次ファイル,譜面ファイル (*.vrn *.fum)"},
      {"ビットマップ|*.bmp", "ビットマップ (*.bmp)"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(QtMessages::qtFilter(QString::fromUtf8(c.pipe)),
              QString::fromUtf8(c.qt));
}

TEST(QtDialogs, QtsOwnButtonsSpeakJapanese) {
  ASSERT_TRUE(QtMessages::installJapaneseQtTexts())
      << "Qt's Japanese translation is missing";
  EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
            QStringLiteral("Cancel"));
}

TEST(FarOffInputs, AreSkippedWithoutTouchingThePage) {
  QImage image(64, 64, QImage::Format_RGB32);
  image.fill(Qt::white);
  const QImage before = image;
  const int far[] = {INT_MIN, -2147483640, -17, 80, 2147483640, INT_MAX};
  for (int x : far)
    for (int y : far) GlyphSet::instance().stamp(image, x, y, 32);
  EXPECT_EQ(image, before);

  ScorePage page;
  page.append(QByteArray("`32"), -2147483640, 40);
  page.append(QByteArray("far text"), 2147483640, -2147483640);
  Canvas canvas;
  canvas.ResizeCanvas(1, 200);
  const QImage paper = canvas.image();
  EXPECT_FALSE(canvas.ReplayInputs(page));
  EXPECT_EQ(canvas.image(), paper);
}
