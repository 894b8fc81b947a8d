#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTest>
#include <memory>

#include "gui/AudioFiles.h"
#include "sound/module/FluidSynthSequencer.h"
#include "support/TestFiles.h"

// The real sequencer, sounding through FluidSynth's "file" driver: it
// renders in real time to a WAV file, with no sound card.
namespace {

// Tests that listen at set moments of a live play: under the sanitizers
// the program runs several times slower than the sound it plays, and the
// moments no longer line up. The release run keeps them.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VARNEL_SLOWED_DOWN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VARNEL_SLOWED_DOWN 1
#endif
#ifdef VARNEL_SLOWED_DOWN
#define SKIP_WHEN_SLOWED_DOWN() GTEST_SKIP() << "timed against live sound"
#else
#define SKIP_WHEN_SLOWED_DOWN() static_cast<void>(0)
#endif

using namespace audio_files;
using Mode = Sequencer::Mode;

// Well above the dither of silence, well below a note at the program's gain.
constexpr int Audible = 200;

class SequencerFixture : public ::testing::Test {
 protected:
  void start(const QString &soundFont) {
    sequencer = std::make_unique<FluidSynthSequencer>(
        FluidSynthSequencer::Options{{QStringLiteral("file")}, wav, soundFont});
    sequencer->setEndReport([this] { ++reports; });
    if (sequencer->outputCount() == 0) GTEST_SKIP() << "no SoundFont";
  }
  QString piece(const QByteArray &bytes = oneSecondPiece()) {
    return dir.write(QStringLiteral("曲.mid"), bytes);
  }
  void openPiece(const QByteArray &bytes = oneSecondPiece()) {
    QString error;
    ASSERT_TRUE(sequencer->open(piece(bytes), &error)) << error.toStdString();
  }
  bool reported(int count, int milliseconds = 3000) {
    return QTest::qWaitFor([&] { return reports >= count; }, milliseconds) &&
           reports == count;
  }

  ScratchDir dir;
  QString wav = dir.file(QStringLiteral("out.wav"));
  std::unique_ptr<FluidSynthSequencer> sequencer;
  int reports = 0;
};

// What is heard, with each SoundFont in turn.
class FluidSynthSequencerTest : public SequencerFixture,
                                public ::testing::WithParamInterface<QString> {
 protected:
  void SetUp() override { start(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Font, FluidSynthSequencerTest,
                         ::testing::ValuesIn(installedSoundFonts()),
                         soundFontName);

// What the commands refuse, whatever the SoundFont.
class FluidSynthCommandsTest : public SequencerFixture {
 protected:
  void SetUp() override { start({}); }
};

TEST_P(FluidSynthSequencerTest, PlaysThePieceToItsEndAndSaysSoOnce) {
  openPiece();
  EXPECT_EQ(sequencer->mode(), Mode::Stopped);
  EXPECT_EQ(sequencer->position(), 0);
  // Known before a sound is made, so that a play at the end can be told.
  EXPECT_EQ(sequencer->length(), 960);

  sequencer->play();
  EXPECT_EQ(sequencer->mode(), Mode::Playing);
  EXPECT_EQ(reports, 0) << "the report comes later, never from play";
  ASSERT_TRUE(reported(1));
  EXPECT_EQ(sequencer->mode(), Mode::Stopped);
  EXPECT_EQ(sequencer->position(), sequencer->length());
  QTest::qWait(100);
  EXPECT_EQ(reports, 1);

  // Played again after its end, the piece starts over.
  sequencer->play();
  QTest::qWait(150);
  EXPECT_EQ(sequencer->mode(), Mode::Playing);
  EXPECT_LT(sequencer->position(), 480);

  sequencer.reset();  // the driver finishes the file
  const Wav out = readWav(wav);
  EXPECT_GT(out.seconds(), 1.0);
  EXPECT_GT(out.peak(), Audible);
}

TEST_P(FluidSynthSequencerTest, StopPausesAndSeekToStartRewinds) {
  openPiece();
  sequencer->play();
  QTest::qWait(300);
  sequencer->stop();
  EXPECT_EQ(sequencer->mode(), Mode::Stopped);
  const qint64 stoppedAt = sequencer->position();
  EXPECT_GT(stoppedAt, 0);
  EXPECT_LT(stoppedAt, sequencer->length());
  ASSERT_TRUE(reported(1));
  QTest::qWait(100);
  EXPECT_EQ(sequencer->position(), stoppedAt) << "still running";

  sequencer->play();
  EXPECT_GE(sequencer->position(), stoppedAt);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return sequencer->position() > stoppedAt; }, 1000));

  sequencer->seekToStart();
  EXPECT_EQ(sequencer->mode(), Mode::Stopped);
  EXPECT_EQ(sequencer->position(), 0);
  EXPECT_TRUE(reported(2));
  // A rewind while stopped interrupts nothing and reports nothing.
  sequencer->seekToStart();
  EXPECT_EQ(sequencer->position(), 0);
  EXPECT_TRUE(reported(2, 100));

  // Stopped before the player has taken the rewind, it stays at the start.
  sequencer->play();
  sequencer->stop();
  sequencer->play();
  QTest::qWait(100);
  EXPECT_LT(sequencer->position(), 200);
}

// Where a sound comes back after at least `quiet` seconds of silence that
// follow a first sound, in steps of 50 ms; negative when it never does. The
// file driver keeps only roughly to the clock on a busy machine, so the
// moments are found in the sound rather than counted from its end.
double returnAfterSilence(const Wav &out, double quiet) {
  constexpr double step = 0.05;
  bool heard = false;
  double silentSince = -1;
  for (double at = 0; at + step <= out.seconds(); at += step) {
    const bool loud = out.peak(at, at + step) >= Audible;
    if (loud && silentSince >= 0 && at - silentSince >= quiet) return at;
    if (loud) {
      heard = true;
      silentSince = -1;
    } else if (heard && silentSince < 0) {
      silentSince = at;
    }
  }
  return -1;
}

// Every course piece begins at tick 0: sent back to the start while its
// first note sounds, it starts again with that note.
TEST_P(FluidSynthSequencerTest, APlayFromTheStartSoundsTheFirstNote) {
  SKIP_WHEN_SLOWED_DOWN();
  // An organ note held for two seconds, alone.
  const QByteArray held = midiFile({{0, QByteArray("\xC0\x13", 2)},
                                    {0, "\x90\x3C\x64"},
                                    {1920, QByteArray("\x80\x3C\x00", 3)}});
  for (const bool stopFirst : {true, false}) {
    SCOPED_TRACE(stopFirst ? "stopped, then rewound" : "rewound while playing");
    start(GetParam());
    openPiece(held);
    sequencer->play();
    QTest::qWait(300);
    if (stopFirst) sequencer->stop();
    sequencer->seekToStart();
    // The note stops at once; its reverberation dies away within about a
    // second. Held on, it would sound until after the second play begins.
    QTest::qWait(1900);
    sequencer->play();
    QTest::qWait(600);
    sequencer.reset();  // the file driver writes in real time, and ends here
    const Wav out = readWav(wav);
    // Still sounding, the first play leaves no silence; missing its first
    // note, the second play stays silent.
    EXPECT_GE(returnAfterSilence(out, 0.3), 0)
        << "no silence between the plays, or no note after it";
  }
}

// FluidSynth keeps playing while any note sounds, and a note that is never
// released sounds for ever.
TEST_P(FluidSynthSequencerTest, AnUnreleasedNoteDoesNotHoldTheEndBack) {
  openPiece(midiFile({{0, QByteArray("\xC0\x13", 2)},  // church organ
                      {0, "\x90\x3C\x64"},
                      {480,
                       "\xFF\x01\x03"
                       "end"}}));
  sequencer->play();
  ASSERT_TRUE(reported(1, 2000));
  EXPECT_EQ(sequencer->mode(), Mode::Stopped);
  // The organ's release: 0.4 s in TimGM6mb, about 1 s in FluidR3_GM; a
  // busy machine may leave the file driver a few tenths behind the clock.
  QTest::qWait(2500);
  sequencer.reset();
  const Wav out = readWav(wav);
  EXPECT_GT(out.peak(), Audible);
  EXPECT_LT(out.peak(out.seconds() - 0.2), Audible) << "the note drones on";
}

// The position slider's seek: before the first play, while playing and
// after the end, the piece plays on from the place given.
TEST_P(FluidSynthSequencerTest, SeekPlaysFromThePlaceGiven) {
  SKIP_WHEN_SLOWED_DOWN();
  // A second of silence, then a note for half a second.
  openPiece(midiFile({{0, QByteArray("\xC0\x00", 2)},
                      {960, "\x90\x3C\x64"},
                      {480, QByteArray("\x80\x3C\x00", 3)}}));
  EXPECT_EQ(sequencer->milliseconds(sequencer->length()), 1500);
  const auto playsOnFrom = [&](qint64 place) {
    sequencer->seek(place);
    EXPECT_EQ(sequencer->mode(), Mode::Stopped);
    EXPECT_EQ(sequencer->position(), place);
    sequencer->play();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return sequencer->position() > place + 48; }, 1000));
    // Well short of where a play from the start, or from the last place,
    // would be by now; a loaded machine may let half a beat or more go by
    // between two looks.
    EXPECT_LT(sequencer->position(), place + 960) << "from " << place;
  };
  playsOnFrom(960);
  playsOnFrom(480);
  EXPECT_TRUE(reported(1)) << "the play the seek stopped";
  ASSERT_TRUE(reported(2, 3000)) << "the end";
  QTest::qWait(1500);  // the last note has rung out: the player is done
  playsOnFrom(900);
  sequencer->seek(sequencer->length());
  EXPECT_EQ(sequencer->position(), sequencer->length());
  EXPECT_TRUE(reported(3));

  sequencer.reset();
  // The note sounded at once after the first play, not a second later.
  EXPECT_GT(readWav(wav).peak(0, 0.4), Audible);
}

TEST_P(FluidSynthSequencerTest, CloseEndsAPlayAndLeavesNothingOpen) {
  openPiece();
  sequencer->play();
  QTest::qWait(100);
  sequencer->close();
  EXPECT_EQ(sequencer->mode(), Mode::NotReady);
  EXPECT_EQ(sequencer->position(), 0);
  EXPECT_EQ(sequencer->length(), 0);
  EXPECT_TRUE(reported(1));
}

TEST_F(FluidSynthCommandsTest, WithNothingOpenEveryCommandDoesNothing) {
  sequencer->play();
  sequencer->stop();
  sequencer->seekToStart();
  sequencer->close();
  EXPECT_EQ(sequencer->mode(), Mode::NotReady);
  EXPECT_EQ(sequencer->position(), 0);
  EXPECT_EQ(sequencer->length(), 0);
  QTest::qWait(50);
  EXPECT_EQ(reports, 0);
}

TEST_F(FluidSynthCommandsTest, RefusesWhatIsNotAStandardMidiFile) {
  const QByteArray piece = oneSecondPiece();
  const struct {
    const char *name;
    QByteArray bytes;
    QString reason;
  } cases[] = {
      {"text", "not a midi file", "は標準MIDIファイルではありません"},
      {"empty", "", "は標準MIDIファイルではありません"},
      {"header only", piece.left(14), "は標準MIDIファイルではありません"},
      {"cut short", piece.left(piece.size() - 8),
       "は標準MIDIファイルではありません"},
      {"missing", {}, "が見つかりません"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    openPiece();
    const QString path = c.reason.contains(QStringLiteral("見つかりません"))
                             ? dir.file(QStringLiteral("なし.mid"))
                             : dir.write(QStringLiteral("壊れた.mid"), c.bytes);
    QString error;
    EXPECT_FALSE(sequencer->open(path, &error));
    EXPECT_TRUE(error.contains(
        QStringLiteral("「%1」%2").arg(QFileInfo(path).fileName(), c.reason)))
        << error.toStdString();
    EXPECT_EQ(sequencer->mode(), Mode::NotReady);
  }
}

TEST(FluidSynthOutputs, CountsOnlyAnOutputThatStarts) {
  ScratchDir dir;
  const QString wav = dir.file(QStringLiteral("out.wav"));
  const QString file = QStringLiteral("file");
  const struct {
    const char *name;
    FluidSynthSequencer::Options options;
    int outputs;
  } cases[] = {
      {"file driver", {{file}, wav, {}}, 1},
      {"no driver starts",
       {{QStringLiteral("none"), QStringLiteral("nor")}, wav, {}},
       0},
      {"no SoundFont", {{file}, wav, dir.file(QStringLiteral("none.sf2"))}, 0},
  };
  if (FluidSynthSequencer(cases[0].options).outputCount() == 0)
    GTEST_SKIP() << "no SoundFont";
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    FluidSynthSequencer sequencer(c.options);
    EXPECT_EQ(sequencer.outputCount(), c.outputs);
    QString error;
    EXPECT_EQ(
        sequencer.open(dir.write(QStringLiteral("曲.mid"), oneSecondPiece()),
                       &error),
        c.outputs > 0);
    EXPECT_EQ(error.isEmpty(), c.outputs > 0);
  }
}

}  // namespace
