#include <gtest/gtest.h>

#include <QThread>

#include "sound/core/DeferredSequencer.h"
#include "sound/core/SoundModule.h"
#include "sound/core/StandardMidiFile.h"
#include "support/ScriptedSequencer.h"
#include "support/TestFiles.h"

// The sound core without FluidSynth: the deferred sequencer in front of a
// scripted one, a module built for another version of the table, and the
// length of MIDI files made byte by byte.

namespace {

using Mode = Sequencer::Mode;

// A standard MIDI file of format 1 with one track chunk per `tracks`,
// each the events as written.
QByteArray midiFile(const QList<QByteArray> &tracks) {
  const auto big = [](quint32 value, int size) {
    QByteArray bytes;
    for (int i = size - 1; i >= 0; --i) bytes += char(value >> (8 * i));
    return bytes;
  };
  QByteArray bytes =
      "MThd" + big(6, 4) + big(1, 2) + big(tracks.size(), 2) + big(96, 2);
  for (const QByteArray &track : tracks)
    bytes += "MTrk" + big(track.size(), 4) + track;
  return bytes;
}

QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

}  // namespace

// Once prepared, everything the player asks goes to the real sequencer and
// its end report comes back: without it Play would stay grey after a piece.
TEST(DeferredSequencer, PassesCallsThroughAndForwardsTheEndReport) {
  auto *real = new ScriptedSequencer(2);
  real->refused << QStringLiteral("bad.mid");
  real->refusalText =
      QStringLiteral("「bad.mid」は標準MIDIファイルではありません。");
  DeferredSequencer deferred([real](QThread *) {
    DeferredSequencer::Prepared prepared;
    prepared.sequencer.reset(real);
    return prepared;
  });
  int ends = 0;
  deferred.setEndReport([&] { ++ends; });
  deferred.settle();
  EXPECT_EQ(deferred.outputCount(), 2);
  QString error;
  EXPECT_FALSE(deferred.open(QStringLiteral("bad.mid"), &error));
  EXPECT_EQ(error, real->refusalText);
  ASSERT_TRUE(deferred.open(QStringLiteral("a.mid"), &error));
  EXPECT_EQ(real->openPath, QStringLiteral("a.mid"));
  EXPECT_EQ(deferred.mode(), Mode::Stopped);
  deferred.play();
  EXPECT_EQ(deferred.mode(), Mode::Playing);
  real->advance(30);
  EXPECT_EQ(deferred.position(), 30);
  EXPECT_EQ(deferred.length(), 100);
  EXPECT_EQ(deferred.milliseconds(30), 30000);
  deferred.seek(40);
  EXPECT_EQ(deferred.position(), 40);
  deferred.play();
  real->finish();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(deferred.mode(), Mode::Stopped);
  deferred.play();
  deferred.stop();
  deferred.seekToStart();
  deferred.close();
  EXPECT_EQ(real->calls,
            (QStringList{"open bad.mid", "open a.mid", "play", "seek 40",
                         "play", "play", "stop", "seek", "close"}));
  EXPECT_EQ(deferred.mode(), Mode::NotReady);
}

// A module from another build answers with a table this program cannot
// read: it is refused, and the user is told which file and why.
TEST(SoundModule, AModuleOfAnotherVersionIsRefused) {
  const QString folder = QStringLiteral(VARNEL_OTHER_VERSION_MODULE_FOLDER);
  QString error;
  EXPECT_EQ(sound_module::load({folder}, &error), nullptr);
  EXPECT_EQ(error,
            QStringLiteral("音を出すモジュール「%1/libvarnel_sound.so」"
                           "を読み込めません。\nプログラムと版が違います。")
                .arg(folder));
}

// The longest track's length in ticks, events read by their kind; -1 when
// the file is no standard MIDI file.
TEST(StandardMidiFile, LengthOfHandBuiltTracks) {
  const QByteArray end = hex("00FF2F00");
  const struct {
    const char *name;
    QList<QByteArray> tracks;
    qint64 ticks;
  } cases[] = {
      // Each event on its own, separated by spaces.
      {"running status after a program change", {hex("00C005 6006") + end}, 96},
      {"running status after channel pressure", {hex("00D040 3041") + end}, 48},
      {"running status after a note on", {hex("00903C40 603C00") + end}, 96},
      {"meta events and a two-byte delta",
       {hex("00FF510307A120 00FF01056869686968 8360FF2F00")},
       480},
      {"system exclusive, whole and escaped",
       {hex("00F0057E7F0901F7 40F7020102") + end},
       64},
      {"the end event ends the track",
       {hex("10903C40") + end + hex("7F803C00")},
       16},
      {"a track without its end event", {hex("00903C40 8100803C00")}, 128},
      {"the longest track", {hex("20C001") + end, hex("8148FF2F00")}, 200},
      {"a note on cut short", {hex("00903C")}, -1},
      {"a meta event longer than its track", {hex("00FF0105 6162")}, -1},
      {"a delta cut short", {hex("00C005 81")}, -1},
      {"a data byte before any status", {hex("003C40") + end}, -1},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(standard_midi::lengthInTicks(midiFile(c.tracks)), c.ticks)
        << c.name;
  }
}

// The time shown beside the slider: ticks through the tempo changes of any
// track, half a second to a quarter note before the first.
TEST(StandardMidiFile, TicksInTimeFollowTheTempo) {
  const QByteArray end = hex("00FF2F00");
  const QByteArray note = hex("00903C40 8140803C00");  // 192 ticks
  const struct {
    const char *name;
    QList<QByteArray> tracks;
    qint64 tick, milliseconds;
  } cases[] = {
      {"no tempo given", {note + end}, 192, 1000},
      {"a quarter in a quarter second",
       {hex("00FF510303D090") + note},
       96,
       250},
      {"a slower tempo from the second beat, in another track",
       {note + end, hex("60FF51030F4240") + end},
       192,
       1500},
  };
  ScratchDir dir;
  for (const auto &c : cases) {
    QString error;
    const auto piece = standard_midi::read(
        dir.write(QStringLiteral("t.mid"), midiFile(c.tracks)), &error);
    ASSERT_TRUE(piece) << c.name << error.toStdString();
    EXPECT_EQ(piece->timing.milliseconds(c.tick), c.milliseconds) << c.name;
  }
}
