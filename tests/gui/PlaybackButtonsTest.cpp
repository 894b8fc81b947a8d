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
    doc().OpenFile(
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

TEST(ProgramFolder, HoldsTheGmResetFileWhereTheResetLooks) {
  EXPECT_TRUE(
      QFileInfo(QStringLiteral(VARNEL_PROGRAM_FOLDER "Gmon.mid")).isFile());
}
