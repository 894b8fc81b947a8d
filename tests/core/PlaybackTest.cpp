#include <gtest/gtest.h>

#include "app/core/WindowKeys.h"
#include "sound/core/SoundFonts.h"
#include "support/DocumentSession.h"
#include "support/TestFiles.h"

// The page's piece on the tool bar, through a sequencer that moves only
// when told: which buttons can be pressed in each state, and what the
// sequencer is asked.

namespace {

const PlayButtons NoPiece{false, false, false};
const PlayButtons Ready{true, false, true};
const PlayButtons Playing{false, true, true};

// Opens the page `name`, with one input, in the session's scratch folder.
void openIn(DocumentSession &session, const char *name) {
  session.doc.files().openFile(session.scratch.write(
      QString::fromLatin1(name) + ".fum", quarterNotesPage(name)));
}

class PagePiece : public ::testing::Test, protected DocumentSession {
 protected:
  PagePiece() : DocumentSession(1) {
    scratch.write(QStringLiteral("a.mid"), "MThd");
    scratch.write(QStringLiteral("Gmon.mid"), "MThd");
  }

  void open(const char *name) { openIn(*this, name); }
  PlayButtons buttons() { return doc.playback().buttons(); }
  QString piece() const { return scratch.file(QStringLiteral("a.mid")); }
};

}  // namespace

TEST_F(PagePiece, ButtonsFollowThePieceBesideThePage) {
  open("a");
  EXPECT_EQ(buttons(), Ready);
  EXPECT_EQ(sequencer.openPath, piece());
  open("b");  // no b.mid
  EXPECT_EQ(buttons(), NoPiece);
  EXPECT_TRUE(sequencer.openPath.isEmpty());
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PagePiece, StopPausesAndPlayGoesOnFromThere) {
  open("a");
  doc.playback().play();
  EXPECT_EQ(buttons(), Playing);
  sequencer.advance(40);
  doc.playback().stop();
  EXPECT_EQ(buttons(), Playing) << "the buttons wait for the end report";
  sequencer.deliverReports();
  EXPECT_EQ(buttons(), Ready);
  doc.playback().play();
  EXPECT_EQ(sequencer.at, 40);
  EXPECT_EQ(buttons(), Playing);
  // To the start while playing: stopped there once the report comes.
  doc.playback().rewind();
  sequencer.deliverReports();
  EXPECT_EQ(sequencer.at, 0);
  EXPECT_EQ(buttons(), Ready);
}

TEST_F(PagePiece, AnEndedPiecePlaysAgainFromTheBeginning) {
  open("a");
  doc.playback().play();
  sequencer.finish();
  EXPECT_EQ(buttons(), Ready);
  sequencer.calls.clear();
  doc.playback().play();
  EXPECT_EQ(sequencer.calls, (QStringList{"seek", "play"}));
  EXPECT_EQ(sequencer.at, 0);
  EXPECT_EQ(buttons(), Playing);
}

TEST_F(PagePiece, AnotherPageStopsThePiece) {
  open("a");
  doc.playback().play();
  open("b");
  EXPECT_EQ(sequencer.mode(), Sequencer::Mode::NotReady);
  sequencer.deliverReports();  // the closed piece's late report
  EXPECT_EQ(buttons(), NoPiece);
}

TEST_F(PagePiece, GmResetLeavesThePieceReadyAtItsStart) {
  open("a");
  doc.playback().play();
  sequencer.advance(30);
  doc.playback().stop();
  sequencer.deliverReports();
  sequencer.calls.clear();
  doc.playback().resetSoundSource();
  const QString reset = scratch.file(QStringLiteral("Gmon.mid"));
  EXPECT_EQ(sequencer.calls, (QStringList{"close", "open " + reset, "play",
                                          "close", "open " + piece()}));
  EXPECT_TRUE(messages.saw(QStringLiteral("音源を初期化しました。")));
  EXPECT_EQ(sequencer.openPath, piece());
  EXPECT_EQ(sequencer.at, 0);
  EXPECT_EQ(buttons(), Ready);
}

TEST_F(PagePiece, GmResetWithoutItsFileLeavesPlaybackAlone) {
  QFile::remove(scratch.file(QStringLiteral("Gmon.mid")));
  open("a");
  sequencer.calls.clear();
  doc.playback().resetSoundSource();
  EXPECT_TRUE(sequencer.calls.isEmpty());
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(
      messages.shown[0].text,
      QStringLiteral("Gmon.mid がありません。\n音源を初期化できません。"));
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Warning);
  EXPECT_EQ(buttons(), Ready);
}

TEST(PlaybackWithoutOutput, NothingCanBePressed) {
  DocumentSession quiet(0);
  quiet.scratch.write(QStringLiteral("a.mid"), "MThd");
  openIn(quiet, "a");
  EXPECT_FALSE(quiet.doc.playback().soundPresent());
  EXPECT_EQ(quiet.doc.playback().buttons(), NoPiece);
  EXPECT_EQ(quiet.sequencer.openPath, quiet.scratch.file("a.mid"))
      << "the piece is opened all the same";
  quiet.doc.playback().play();
  quiet.doc.playback().rewind();
  EXPECT_FALSE(quiet.sequencer.calls.contains(QStringLiteral("play")));
  // A sequencer that cannot open anything without an output says nothing.
  quiet.sequencer.refused << quiet.scratch.file("a.mid");
  openIn(quiet, "a");
  EXPECT_TRUE(quiet.messages.shown.isEmpty());
}

TEST_F(PagePiece, RefusalsAndABusyOutputAreReported) {
  sequencer.refused << piece();
  open("a");
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, QStringLiteral("原因不明のｴﾗｰ."));
  EXPECT_EQ(buttons(), NoPiece);
  doc.playback().rewind();  // as the to-start key would
  EXPECT_EQ(messages.shown.last().text,
            QStringLiteral("MCI ﾃﾞﾊﾞｲｽがありません."));

  sequencer.refused.clear();
  sequencer.othersHoldIt = true;
  open("a");
  doc.playback().play();
  EXPECT_EQ(
      messages.shown.last().text,
      QStringLiteral("他のアプリケーションがMIDIを使っていると思われます。"));
  EXPECT_EQ(buttons(), Ready);
}

// The sequencer's own words for a piece it refuses are what the user
// reads, whether the page is read before or after the output is ready.
TEST(PlaybackRefusals, TheSequencersReasonIsShown) {
  const QString words =
      QStringLiteral("「a.mid」は標準MIDIファイルではありません。");
  const struct {
    const char *name;
    QString reason;
    bool readWhilePreparing;
    QString shown;
  } cases[] = {
      {"its words", words, false, words},
      {"its words once ready", words, true, words},
      {"no words", {}, false, QStringLiteral("原因不明のｴﾗｰ.")},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    DocumentSession s(c.readWhilePreparing ? 0 : 1);
    s.sequencer.stillPreparing = c.readWhilePreparing;
    s.sequencer.refused << s.scratch.write(QStringLiteral("a.mid"), "MThd");
    s.sequencer.refusalText = c.reason;
    openIn(s, "a");
    if (c.readWhilePreparing) {
      s.sequencer.outputs = 1;
      s.sequencer.ready();
    }
    ASSERT_EQ(s.messages.shown.size(), 1);
    EXPECT_EQ(s.messages.shown[0].text, c.shown);
    EXPECT_EQ(s.messages.shown[0].icon, Messages::Icon::Stop);
    EXPECT_EQ(s.doc.playback().buttons(), NoPiece);
  }
}

TEST_F(PagePiece, ALateReportDoesNotUndoANewPlay) {
  open("a");
  doc.playback().play();
  doc.playback().stop();
  doc.playback().play();  // before the stop's report came
  sequencer.deliverReports();
  EXPECT_EQ(buttons(), Playing);
}

// The sound output is prepared after the window has painted: a page read
// before then gets its buttons once it is ready, and without any output the
// first F3 says why.
TEST(SoundPreparation, ButtonsAndF3FollowWhatItFound) {
  const QString noModule = QStringLiteral(
      "音を出すモジュール「libvarnel_sound.so」が見つかりません。");
  const struct {
    const char *name;
    int outputs;
    QString reason;
    bool byF3;     // ready because F3 waited for it
    QString told;  // what the first F3 says
  } cases[] = {
      {"an output", 1, {}, false, {}},
      {"F3 waits for it and plays", 1, {}, true, {}},
      {"no module", 0, noModule, false, noModule},
      {"F3 waits, then says why", 0, noModule, true, noModule},
      {"no words for it",
       0,
       {},
       false,
       QStringLiteral("音を出せる出力装置がありません。")},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    DocumentSession s(0);
    s.sequencer.stillPreparing = true;
    s.scratch.write(QStringLiteral("a.mid"), "MThd");
    openIn(s, "a");
    EXPECT_EQ(s.doc.playback().buttons(), NoPiece);
    EXPECT_EQ(s.doc.playback().silenceReason(),
              QStringLiteral("音源を準備しています。"));
    s.sequencer.outputs = c.outputs;
    s.sequencer.reason = c.reason;
    if (!c.byF3) {
      s.sequencer.ready();
      EXPECT_EQ(s.doc.playback().buttons(), c.outputs > 0 ? Ready : NoPiece);
    }
    for (int press = 0; press < (c.outputs > 0 ? 1 : 2); ++press)
      pressWindowKey(s.doc.navigator(), s.doc.playback(), KeyWindow::Main,
                     Qt::Key_F3, Qt::NoModifier);
    EXPECT_EQ(s.doc.playback().soundPresent(), c.outputs > 0);
    EXPECT_EQ(s.doc.playback().buttons(), c.outputs > 0 ? Playing : NoPiece);
    EXPECT_EQ(s.doc.playback().silenceReason(), c.told);
    if (c.told.isEmpty()) {
      EXPECT_TRUE(s.messages.shown.isEmpty());
    } else {
      ASSERT_EQ(s.messages.shown.size(), 1) << "said once, on the first F3";
      EXPECT_EQ(s.messages.shown[0].text,
                QStringLiteral("MIDIを演奏できません。\n") + c.told);
    }
  }
}

TEST(SoundFonts, TheBestGeneralMidiOneIsChosen) {
  const struct {
    const char *name;
    QStringList present;
    QString chosen;
  } cases[] = {
      {"FluidR3 first",
       {"TimGM6mb.sf2", "default-GM.sf2", "FluidR3_GM.sf2"},
       "FluidR3_GM.sf2"},
      {"the system's default",
       {"TimGM6mb.sf2", "default-GM.sf2"},
       "default-GM.sf2"},
      {"TimGM6mb", {"A.sf2", "TimGM6mb.sf2"}, "TimGM6mb.sf2"},
      {"any by name", {"b.sf2", "a.sf2", "c.txt"}, "a.sf2"},
      {"none", {"c.txt"}, {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    for (const QString &name : c.present) dir.write(name, "RIFF");
    EXPECT_EQ(sound_fonts::best(dir.path()),
              c.chosen.isEmpty() ? QString() : dir.file(c.chosen));
  }
}
