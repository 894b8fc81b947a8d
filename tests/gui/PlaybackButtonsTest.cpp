#include <QAction>
#include <QFileInfo>
#include <QTest>
#include <QToolButton>

#include "support/ProgramFixture.h"

// The tool bar's three playback buttons and the reset item, on the real
// main window.

namespace {

class PlaybackButtons : public ProgramTest {
 protected:
  void openPageWithPiece() {
    scratch.write(QStringLiteral("a.mid"), "MThd");
    doc().files().openFile(
        scratch.write(QStringLiteral("a.fum"),
                      "Fum[a]\r\n^1|4|610|`14|40|48|\r\nEnd[a]\r\n"));
  }
  QList<bool> enabled() {
    return {toolButton("SpeedButton9")->isEnabled(),
            toolButton("SpeedButton10")->isEnabled(),
            toolButton("SpeedButton11")->isEnabled()};
  }
};

}  // namespace

TEST_F(PlaybackButtons, PressingPlayAndStopMovesTheButtons) {
  player.outputs = 1;
  start();
  EXPECT_TRUE(action("GMON1")->isEnabled());
  openPageWithPiece();
  EXPECT_EQ(enabled(), (QList<bool>{true, false, true}));
  QTest::mouseClick(toolButton("SpeedButton9"), Qt::LeftButton);
  EXPECT_TRUE(player.playing);
  EXPECT_EQ(enabled(), (QList<bool>{false, true, true}));
  QTest::mouseClick(toolButton("SpeedButton10"), Qt::LeftButton);
  player.deliverReports();
  EXPECT_FALSE(player.playing);
  EXPECT_EQ(enabled(), (QList<bool>{true, false, true}));
}

TEST_F(PlaybackButtons, WithoutOutputEverythingStaysGrey) {
  openPageWithPiece();
  EXPECT_EQ(enabled(), (QList<bool>{false, false, false}));
  EXPECT_FALSE(action("GMON1")->isEnabled());
}

// Grey buttons say why where the mouse rests, and come on once the sound
// output prepared after the first paint is ready.
TEST_F(PlaybackButtons, ToolTipsSayWhyTheyAreGreyUntilTheSoundIsReady) {
  const QString noModule =
      QStringLiteral("音を出すモジュールが見つかりません。");
  const struct {
    const char *name;
    int outputs;
    QString why;  // after the preparation
  } cases[] = {{"ready", 1, {}}, {"no module", 0, noModule}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    player.outputs = 0;
    player.stillPreparing = true;
    player.reason.clear();
    start();
    openPageWithPiece();
    const QString preparing = QStringLiteral("音源を準備しています。");
    EXPECT_EQ(toolButton("SpeedButton9")->toolTip(),
              QStringLiteral("再生\n") + preparing);
    EXPECT_EQ(action("GMON1")->toolTip(), preparing);
    player.outputs = c.outputs;
    player.reason = c.why;
    player.ready();
    const QString tail = c.why.isEmpty() ? QString() : '\n' + c.why;
    EXPECT_EQ(toolButton("SpeedButton9")->toolTip(), "再生" + tail);
    EXPECT_EQ(toolButton("SpeedButton10")->toolTip(), "停止" + tail);
    EXPECT_EQ(toolButton("SpeedButton11")->toolTip(), "曲頭" + tail);
    EXPECT_EQ(action("GMON1")->isEnabled(), c.outputs > 0);
    if (c.outputs == 0) {
      EXPECT_EQ(action("GMON1")->toolTip(), c.why);
    }
    EXPECT_EQ(enabled(), (QList<bool>{c.outputs > 0, false, c.outputs > 0}));
  }
}

TEST(ProgramFolder, HoldsTheGmResetFileWhereTheResetLooks) {
  EXPECT_TRUE(
      QFileInfo(QStringLiteral(VARNEL_PROGRAM_FOLDER "Gmon.mid")).isFile());
}
