#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "support/RunProgram.h"
#include "support/TestFiles.h"

// The windows, the sound and the web font cutter are modules of their own,
// loaded only when needed: the executable alone runs every command that
// needs none of them, and says which one is missing for the rest.
namespace {

const QString programFolder = QStringLiteral(VARNEL_PROGRAM_FOLDER);

TEST(ProgramModules, TheExecutableAloneRunsWhatNeedsNoneOfThem) {
  ScratchDir dir;
  const QString alone = dir.file(QStringLiteral("varnel"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(VARNEL_EXECUTABLE), alone));
  const QString page = programFolder + QStringLiteral("Data/はじめに.fum");

  const ProgramRun picture = runWithoutDisplay(
      alone, {QStringLiteral("--render"), page, dir.file("page.png")});
  EXPECT_EQ(picture.status, 0) << picture.err.toStdString();
  EXPECT_TRUE(QFile::exists(dir.file("page.png")));

  const ProgramRun sound = runWithoutDisplay(
      alone, {QStringLiteral("--render-audio"),
              programFolder + QStringLiteral("Gmon.mid"), dir.file("out.wav")});
  EXPECT_EQ(sound.status, 1);
  EXPECT_TRUE(sound.err.contains(QStringLiteral("libvarnel_sound.so")));
  EXPECT_FALSE(QFile::exists(dir.file("out.wav")));

  const ProgramRun windows = runWithoutDisplay(alone, {page});
  EXPECT_EQ(windows.status, 1);
  EXPECT_EQ(windows.err.trimmed(),
            QStringLiteral("ウィンドウのモジュール「libvarnel_windows.so」が"
                           "見つかりません。"));

  // Nor are the libraries of the modules loaded with the executable.
  QProcess ldd;
  ldd.start(QStringLiteral("ldd"), {QStringLiteral(VARNEL_EXECUTABLE)});
  ASSERT_TRUE(ldd.waitForFinished(30000));
  const QString libraries = QString::fromUtf8(ldd.readAllStandardOutput());
  for (const char *library :
       {"Qt6Widgets", "Qt6PrintSupport", "harfbuzz-subset", "woff2",
        "fluidsynth", "pulse", "asound", "jack", "sndfile"})
    EXPECT_FALSE(libraries.contains(QLatin1String(library))) << library;
}

}  // namespace
