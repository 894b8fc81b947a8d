#include <gtest/gtest.h>

#include <QDir>

#include "app/core/Document.h"
#include "app/core/SettingsFile.h"
#include "support/RecordingView.h"
#include "support/ScriptedMessages.h"
#include "support/ScriptedSequencer.h"
#include "support/TestFiles.h"

// The page's piece on the tool bar, through a sequencer that moves only
// when told: which buttons can be pressed in each state, and what the
// sequencer is asked.

namespace {

const PlayButtons NoPiece{false, false, false};
const PlayButtons Ready{true, false, true};
const PlayButtons Playing{false, true, true};

QByteArray pageBytes(const QByteArray &name) {
  return "Fum[" + name + "]\r\n^1|4|610|`14|40|48|\r\nEnd[" + name + "]\r\n";
}

class Playback : public ::testing::Test {
 protected:
  Playback() {
    sequencer.outputs = 1;
    scratch.write(QStringLiteral("a.mid"), "MThd");
    scratch.write(QStringLiteral("Gmon.mid"), "MThd");
  }
  ~Playback() override { QDir::setCurrent(startFolder); }

  Document &document() {
    if (!doc) {
      doc = std::make_unique<Document>(
          Document::Services{messages, sequencer, settings,
                             scratch.path() + QStringLiteral("/")},
          view);
      doc->NewPage();
    }
    return *doc;
  }
  void open(const char *name) {
    document().OpenFile(
        scratch.write(QString::fromLatin1(name) + ".fum", pageBytes(name)));
  }
  PlayButtons buttons() { return document().playButtons(); }
  QString piece() const { return scratch.file(QStringLiteral("a.mid")); }

  const QString startFolder = QDir::currentPath();
  ScratchDir scratch;
  ScriptedMessages messages;
  ScriptedSequencer sequencer;
  SettingsFile settings{scratch.file(QStringLiteral("Vrn32.ini"))};
  RecordingView view;
  std::unique_ptr<Document> doc;
};

}  // namespace

TEST_F(Playback, ButtonsFollowThePieceBesideThePage) {
  open("a");
  EXPECT_EQ(buttons(), Ready);
  EXPECT_EQ(sequencer.openPath, piece());
  open("b");  // no b.mid
  EXPECT_EQ(buttons(), NoPiece);
  EXPECT_TRUE(sequencer.openPath.isEmpty());
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(Playback, StopPausesAndPlayGoesOnFromThere) {
  open("a");
  document().SpeedButton9Click();
  EXPECT_EQ(buttons(), Playing);
  sequencer.advance(40);
  document().SpeedButton10Click();
  EXPECT_EQ(buttons(), Playing) << "the buttons wait for the end report";
  sequencer.deliverReports();
  EXPECT_EQ(buttons(), Ready);
  document().SpeedButton9Click();
  EXPECT_EQ(sequencer.at, 40);
  EXPECT_EQ(buttons(), Playing);
  // To the start while playing: stopped there once the report comes.
  document().SpeedButton11Click();
  sequencer.deliverReports();
  EXPECT_EQ(sequencer.at, 0);
  EXPECT_EQ(buttons(), Ready);
}

TEST_F(Playback, AnEndedPiecePlaysAgainFromTheBeginning) {
  open("a");
  document().SpeedButton9Click();
  sequencer.finish();
  EXPECT_EQ(buttons(), Ready);
  sequencer.calls.clear();
  document().SpeedButton9Click();
  EXPECT_EQ(sequencer.calls, (QStringList{"seek", "play"}));
  EXPECT_EQ(sequencer.at, 0);
  EXPECT_EQ(buttons(), Playing);
}

TEST_F(Playback, AnotherPageStopsThePiece) {
  open("a");
  document().SpeedButton9Click();
  open("b");
  EXPECT_EQ(sequencer.mode(), Sequencer::Mode::NotReady);
  sequencer.deliverReports();  // the closed piece's late report
  EXPECT_EQ(buttons(), NoPiece);
}

TEST_F(Playback, GmResetLeavesThePieceReadyAtItsStart) {
  open("a");
  document().SpeedButton9Click();
  sequencer.advance(30);
  document().SpeedButton10Click();
  sequencer.deliverReports();
  sequencer.calls.clear();
  document().GMON1Click();
  const QString reset = scratch.file(QStringLiteral("Gmon.mid"));
  EXPECT_EQ(sequencer.calls, (QStringList{"close", "open " + reset, "play",
                                          "close", "open " + piece()}));
  EXPECT_TRUE(messages.saw(QStringLiteral("音源を初期化しました。")));
  EXPECT_EQ(sequencer.openPath, piece());
  EXPECT_EQ(sequencer.at, 0);
  EXPECT_EQ(buttons(), Ready);
}

TEST_F(Playback, GmResetWithoutItsFileLeavesPlaybackAlone) {
  QFile::remove(scratch.file(QStringLiteral("Gmon.mid")));
  open("a");
  sequencer.calls.clear();
  document().GMON1Click();
  EXPECT_TRUE(sequencer.calls.isEmpty());
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(
      messages.shown[0].text,
      QStringLiteral("Gmon.mid がありません。\n音源を初期化できません。"));
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Warning);
  EXPECT_EQ(buttons(), Ready);
}

TEST_F(Playback, WithoutOutputNothingCanBePressed) {
  sequencer.outputs = 0;
  open("a");
  EXPECT_FALSE(document().midiPresent());
  EXPECT_EQ(buttons(), NoPiece);
  EXPECT_EQ(sequencer.openPath, piece()) << "the piece is opened all the same";
  document().SpeedButton9Click();
  document().SpeedButton11Click();
  EXPECT_FALSE(sequencer.calls.contains(QStringLiteral("play")));
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(Playback, RefusalsAndABusyOutputAreReported) {
  sequencer.refused << piece();
  open("a");
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, QStringLiteral("原因不明のｴﾗｰ."));
  EXPECT_EQ(buttons(), NoPiece);
  document().SpeedButton11Click();  // as the to-start key would
  EXPECT_EQ(messages.shown.last().text,
            QStringLiteral("MCI ﾃﾞﾊﾞｲｽがありません."));

  sequencer.refused.clear();
  sequencer.othersHoldIt = true;
  open("a");
  document().SpeedButton9Click();
  EXPECT_EQ(
      messages.shown.last().text,
      QStringLiteral("他のアプリケーションがMIDIを使っていると思われます。"));
  EXPECT_EQ(buttons(), Ready);
}

TEST_F(Playback, ALateReportDoesNotUndoANewPlay) {
  open("a");
  document().SpeedButton9Click();
  document().SpeedButton10Click();
  document().SpeedButton9Click();  // before the stop's report came
  sequencer.deliverReports();
  EXPECT_EQ(buttons(), Playing);
}
