#include <gtest/gtest.h>

#include <QDir>
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

}  // namespace
