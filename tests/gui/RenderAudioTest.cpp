#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>

#include "files/core/PathLookup.h"
#include "gui/AudioFiles.h"
#include "sound/core/SoundFonts.h"
#include "sound/core/StandardMidiFile.h"
#include "sound/module/AudioRender.h"
#include "support/PieceLength.h"
#include "support/RunProgram.h"
#include "support/TestFiles.h"

// The page's piece rendered to a WAV file by the real program, without a
// display or a sound card.
namespace {

using namespace audio_files;

using Outcome = ProgramRun;

Outcome renderAudio(const QString &input, const QString &wav) {
  return runVarnel({QStringLiteral("--render-audio"), input, wav});
}

// The first page of the bundled course that has a piece beside it.
QString bundledPageWithPiece() {
  const QDir data(QStringLiteral(VARNEL_PROGRAM_FOLDER "Data"));
  for (const QString &name :
       data.entryList({QStringLiteral("*.fum")}, QDir::Files, QDir::Name)) {
    if (!findSibling(data.filePath(name), QStringLiteral(".mid")).isEmpty())
      return data.filePath(name);
  }
  return {};
}

// Quieter than any note at the program's gain, louder than silence.
constexpr int Audible = 200;

}  // namespace

TEST(RenderAudio, WritesThePagesPieceAsCdQualitySound) {
  const QString page = bundledPageWithPiece();
  ASSERT_FALSE(page.isEmpty()) << "no page with a piece in the course";
  ScratchDir dir;
  const QString out = dir.file(QStringLiteral("曲.wav"));
  const Outcome run = renderAudio(page, out);
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.isEmpty());

  const Wav wav = readWav(out);
  EXPECT_EQ(wav.format, 1);  // PCM
  EXPECT_EQ(wav.channels, 2);
  EXPECT_EQ(wav.rate, 44100);
  EXPECT_EQ(wav.bits, 16);
  const double piece = piece_length::pieceSeconds(
      readBytes(findSibling(page, QStringLiteral(".mid"))));
  EXPECT_GE(wav.seconds(), piece);
  // The piece stops at the end of an audio block, and its last notes ring
  // out within the tail's bound.
  EXPECT_LE(wav.seconds(), piece + audio_render::MaxTailSeconds + 0.005)
      << "piece: " << piece;
  EXPECT_GT(wav.peak(), Audible);
  EXPECT_LT(dbfs(wav.peak(wav.seconds() - 0.05)), audio_render::QuietDbfs);
}

TEST(RenderAudio, FindsThePieceAsTheReaderDoes) {
  ScratchDir dir;
  dir.write(QStringLiteral("Song.FUM"),
            "Fum[Song]\r\n^1|2|300|\r\nEnd[Song]\r\n");
  dir.write(QStringLiteral("song.mid"), oneSecondPiece());
  const QString out = dir.file(QStringLiteral("out.wav"));
  // A page of a course made on Windows, and a piece named directly.
  for (const QString &input : {dir.file(QStringLiteral("Song.FUM")),
                               dir.file(QStringLiteral("song.mid"))}) {
    SCOPED_TRACE(input.toStdString());
    ASSERT_EQ(renderAudio(input, out).status, 0);
    const Wav wav = readWav(out);
    EXPECT_GE(wav.seconds(), 1.0);
    EXPECT_LE(wav.seconds(), 1.0 + audio_render::MaxTailSeconds + 0.005);
    EXPECT_GT(wav.peak(), Audible);
  }
}

TEST(RenderAudio, ExplainsWhyNothingWasWritten) {
  ScratchDir dir;
  const QByteArray page = "Fum[p]\r\n^1|2|300|\r\nEnd[p]\r\n";
  const QString silent = dir.write(QStringLiteral("静か.fum"), page);
  const QString broken = dir.write(QStringLiteral("壊れた.fum"), page);
  dir.write(QStringLiteral("壊れた.mid"), "MThd but no more");
  const QString piece = dir.write(QStringLiteral("曲.mid"), oneSecondPiece());
  // A valid file, padded past the bound with chunks players skip.
  QByteArray huge = oneSecondPiece();
  const QByteArray pad =
      QByteArray("XFil\x00\x10\x00\x00", 8) + QByteArray(0x100000, 0);
  while (huge.size() <= standard_midi::MaxFileBytes) huge += pad;
  const QString big = dir.write(QStringLiteral("大きい.mid"), huge);
  const struct {
    QString input, out, message;
  } cases[] = {
      {silent, dir.file("a.wav"),
       "「静か.fum」には曲（MIDIファイル）がありません。"},
      {broken, dir.file("a.wav"),
       "「壊れた.mid」は標準MIDIファイルではありません。"},
      {dir.file("ない.fum"), dir.file("a.wav"),
       dir.file("ない.fum") + ": ファイルが見つかりません。"},
      {piece, dir.file("ない/a.wav"),
       "「a.wav」に書き込めません（ファイルまたはフォルダーがありません）"},
      {big, dir.file("a.wav"),
       "「大きい.mid」は大きすぎます（MIDIファイルは 4 MB まで）。"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.message.toStdString());
    const Outcome run = renderAudio(c.input, c.out);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.trimmed(), c.message);
    EXPECT_FALSE(QFileInfo::exists(c.out));
  }
}

// A piece past the length bound is written up to it, and says so.
TEST(RenderAudio, SaysWhenAPieceIsCutAtTheBound) {
  ScratchDir dir;
  const QString soundFont = sound_fonts::best();
  if (soundFont.isEmpty()) GTEST_SKIP() << "no SoundFont installed";
  for (const double maxSeconds : {0.5, audio_render::MaxPieceSeconds}) {
    QString error;
    bool cut = false;
    ASSERT_TRUE(audio_render::renderToWav(oneSecondPiece(), soundFont,
                                          dir.file("a.wav"), &error, &cut,
                                          maxSeconds));
    EXPECT_EQ(cut, maxSeconds < 1) << maxSeconds;
  }
}

// The last note rings out whole, however long the SoundFont lets it ring
// (FluidR3_GM's organ for over a second), and the file ends once it has died
// away.
class RenderAudioTail : public ::testing::TestWithParam<QString> {};

INSTANTIATE_TEST_SUITE_P(Font, RenderAudioTail,
                         ::testing::ValuesIn(installedSoundFonts()),
                         soundFontName);

TEST_P(RenderAudioTail, TheFileEndsOnceTheLastNoteHasDiedAway) {
  if (GetParam().isEmpty()) GTEST_SKIP() << "no SoundFont installed";
  ScratchDir dir;
  const QByteArray organ = midiFile({{0, QByteArray("\xC0\x13", 2)},
                                     {0, "\x90\x3C\x64"},
                                     {480, "\xFF\x01\x01."}});
  QString error;
  ASSERT_TRUE(
      audio_render::renderToWav(organ, GetParam(), dir.file("a.wav"), &error))
      << error.toStdString();
  const Wav wav = readWav(dir.file("a.wav"));
  EXPECT_GT(wav.peak(0.4, 0.5), Audible);
  EXPECT_LT(dbfs(wav.peak(wav.seconds() - 0.05)), audio_render::QuietDbfs)
      << "cut while it sounds: " << wav.seconds() << " s";
  EXPECT_LE(wav.seconds(), 0.5 + audio_render::MaxTailSeconds + 0.005);
}
