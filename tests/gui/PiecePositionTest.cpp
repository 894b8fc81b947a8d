#include <QLabel>
#include <QSlider>
#include <QTest>

#include "support/ProgramFixture.h"

// The time and the position slider beside the play buttons, over the
// scripted sequencer: its piece is 100 ticks of a second each.
namespace {

class PiecePosition : public ProgramTest {
 protected:
  PiecePosition() {
    player.outputs = 1;
    start();
    form().resize(1000, 455);
    form().show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form()));
    // After the first showing, which opens the start file.
    scratch.write(QStringLiteral("a.mid"), "MThd");
    doc().files().openFile(scratch.write(QStringLiteral("a.fum"),
                                         "Fum[a]\r\n^1|4|610|\r\nEnd[a]\r\n"));
  }
  QSlider *slider() {
    return child<QSlider>(*child<QWidget>(form(), "Panel1"), "PiecePosition");
  }
  QString time() {
    return child<QLabel>(*child<QWidget>(form(), "Panel1"), "PieceTime")
        ->text();
  }
  // Where a click lands on the slider for `tick`.
  QPoint at(qint64 tick) {
    return {int(slider()->width() * tick / player.pieceLength),
            slider()->height() / 2};
  }
  bool playing() { return toolButton("SpeedButton10")->isEnabled(); }
};

}  // namespace

TEST_F(PiecePosition, AClickPlaysFromThereAndTheEndComesBackToTheStart) {
  ASSERT_TRUE(slider()->isVisible());
  EXPECT_EQ(time(), QStringLiteral("0:00 / 1:40"));
  QTest::mouseClick(slider(), Qt::LeftButton, {}, at(50));
  ASSERT_TRUE(player.playing);
  EXPECT_NEAR(player.at, 50, 3);
  EXPECT_EQ(player.calls.last(), QStringLiteral("play"));
  EXPECT_TRUE(playing());

  player.at = 75;  // a quarter of the piece later
  EXPECT_TRUE(QTest::qWaitFor([&] { return slider()->value() == 75; }, 1000));
  EXPECT_EQ(time(), QStringLiteral("1:15 / 1:40"));

  player.finish();
  EXPECT_FALSE(playing());
  EXPECT_EQ(slider()->value(), 0);
  EXPECT_EQ(time(), QStringLiteral("0:00 / 1:40"));
}

// Dragged while the piece plays, the piece goes on from where the handle
// is let go; the report of the play it interrupted changes nothing.
TEST_F(PiecePosition, ADragWhilePlayingMovesThePlay) {
  QTest::mouseClick(toolButton("SpeedButton9"), Qt::LeftButton);
  player.advance(20);
  QTest::mousePress(slider(), Qt::LeftButton, {}, at(20));
  QTest::mouseMove(slider(), at(40));
  QTest::mouseMove(slider(), at(60));
  QTest::mouseRelease(slider(), Qt::LeftButton, {}, at(60));
  player.deliverReports();
  EXPECT_TRUE(player.playing);
  EXPECT_TRUE(playing());
  EXPECT_NEAR(player.at, 60, 3);
  EXPECT_EQ(player.calls.filter(QStringLiteral("seek ")).size(), 1);

  // Stopped, the slider stays where the piece stopped.
  QTest::mouseClick(toolButton("SpeedButton10"), Qt::LeftButton);
  player.deliverReports();
  EXPECT_EQ(slider()->value(), player.at);
  QTest::mouseClick(toolButton("SpeedButton11"), Qt::LeftButton);
  EXPECT_EQ(slider()->value(), 0);
}
