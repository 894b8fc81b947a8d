#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "sound/core/DeferredSequencer.h"
#include "sound/core/SoundFonts.h"
#include "support/TestFiles.h"

// FluidSynth lives in a module of its own, loaded only when a piece is to
// sound: without it, or without a SoundFont, nothing sounds and the user is
// told which is missing; the program itself never needs it to start.
namespace {

const QString programFolder = QStringLiteral(VARNEL_PROGRAM_FOLDER);

TEST(SoundModule, WhatIsMissingIsNamed) {
  ScratchDir empty;
  const struct {
    const char *name;
    QString moduleFolder;
    QString reason;
  } cases[] = {
      {"no module", empty.path(),
       QStringLiteral(
           "音を出すモジュール「libvarnel_sound.so」が見つかりません。")},
      {"no SoundFont", programFolder,
       sound_fonts::missingMessage(empty.path())},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    DeferredSequencer sequencer([&](QThread *home) {
      return DeferredSequencer::prepareFrom({c.moduleFolder}, empty.path(),
                                            home);
    });
    int ready = 0;
    sequencer.setReadyReport([&] { ++ready; });
    EXPECT_TRUE(sequencer.preparing());
    sequencer.settle();
    EXPECT_FALSE(sequencer.preparing());
    EXPECT_EQ(ready, 1);
    EXPECT_EQ(sequencer.outputCount(), 0);
    EXPECT_EQ(sequencer.silenceReason(), c.reason);
    QString error;
    EXPECT_FALSE(sequencer.open(empty.write("a.mid", "MThd"), &error));
    EXPECT_EQ(sequencer.mode(), Sequencer::Mode::NotReady);
  }
}

// The program alone, without the module beside it: it still runs, and a
// render of a piece says what is missing.
TEST(SoundModule, TheProgramRunsWithoutIt) {
  ScratchDir dir;
  const QString alone = dir.file(QStringLiteral("varnel"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(VARNEL_EXECUTABLE), alone));
  QProcess run;
  run.start(alone,
            {QStringLiteral("--render-audio"),
             programFolder + QStringLiteral("Gmon.mid"), dir.file("out.wav")});
  ASSERT_TRUE(run.waitForFinished(30000));
  EXPECT_EQ(run.exitCode(), 1);
  EXPECT_TRUE(QString::fromUtf8(run.readAllStandardError())
                  .contains(QStringLiteral("libvarnel_sound.so")));
  EXPECT_FALSE(QFile::exists(dir.file("out.wav")));
  // Nor is FluidSynth, or any sound library, loaded with the program.
  QProcess ldd;
  ldd.start(QStringLiteral("ldd"), {QStringLiteral(VARNEL_EXECUTABLE)});
  ASSERT_TRUE(ldd.waitForFinished(30000));
  const QString libraries = QString::fromUtf8(ldd.readAllStandardOutput());
  for (const char *sound : {"fluidsynth", "pulse", "asound", "jack", "sndfile"})
    EXPECT_FALSE(libraries.contains(QLatin1String(sound))) << sound;
}

}  // namespace
