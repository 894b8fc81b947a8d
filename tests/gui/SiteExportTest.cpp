#include <gtest/gtest.h>
#include <sndfile.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QRawFont>
#include <QXmlStreamReader>
#include <memory>

#include "base/core/Cp932.h"
#include "export/core/SiteNames.h"
#include "export/render/SiteExport.h"
#include "files/core/ContentsFile.h"
#include "files/core/CourseContents.h"
#include "sound/core/SoundFonts.h"
#include "sound/module/AudioRender.h"
#include "sound/module/Loudness.h"
#include "support/PieceLength.h"
#include "support/TestFiles.h"
#include "support/TmpfsMount.h"

namespace {

const QString Course = QStringLiteral(VARNEL_PROGRAM_FOLDER "Data/Varnel.vrn");

// A page of two staves, 300 wide, with the given inputs.
QByteArray pageWith(const QByteArray &inputs) {
  return "Fum[t]\r\n~Text|\r\n^2|2|300|" + inputs + "\r\nEnd[t]\r\n";
}

// The sound as the program makes it, from the library linked here.
site_export::Options withSound() {
  site_export::Options options;
  const QString soundFont = sound_fonts::best();
  if (soundFont.isEmpty()) return options;
  options.sound = [soundFont](const QByteArray &piece, const QString &path,
                              QString *error) {
    return audio_render::renderForWeb(piece, soundFont, path, error);
  };
  return options;
}

// Every HTML file in the folder is whole, and nothing else was left there.
void expectOnlyWholeFiles(const QString &folder) {
  for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files)) {
    const QString name = file.fileName();
    EXPECT_TRUE(
        name == QStringLiteral("filler") ||
        QStringList({"html", "css", "js", "ttf", "woff2", "txt", "ogg", "mp3"})
            .contains(file.suffix()))
        << "left behind: " << name.toStdString();
    if (file.suffix() == QStringLiteral("html")) {
      EXPECT_TRUE(readBytes(file.filePath()).endsWith("</html>\n"))
          << name.toStdString();
    }
  }
}

TEST(SiteExport, FailuresNameTheFileAndLeaveNoIndex) {
  ScratchDir dir;
  const QString aFile = dir.write("plain.txt", "x");
  const QString emptyCourse = dir.write("empty.vrn", "/Title\r\n");
  const QString page = dir.write("page.fum", pageWith("`10|40|40|"));
  const struct {
    QString source, folder, named;
  } cases[] = {
      {dir.file("missing.vrn"), dir.file("out1"), "missing.vrn"},
      {emptyCourse, dir.file("out2"), "empty.vrn"},
      {page, aFile + "/site", aFile + "/site"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.named.toStdString());
    const site_export::Outcome outcome =
        site_export::write(c.source, c.folder, {});
    EXPECT_FALSE(outcome.ok());
    ASSERT_FALSE(outcome.errors.isEmpty());
    EXPECT_TRUE(outcome.errors.first().contains(c.named))
        << outcome.errors.first().toStdString();
    EXPECT_FALSE(QFileInfo::exists(c.folder + "/index.html"));
  }
}

TEST(SiteExport, AFullDiskFailsWithoutAHalfPageOrAnOldIndex) {
  ScratchDir dir;
  TmpfsMount disk(dir.file("disk"), "size=256k");
  if (!disk.mounted()) GTEST_SKIP() << TmpfsMount::NotRoot;
  // An earlier export's index would present the new pages as a whole site.
  QFile old(disk.path() + "/index.html");
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("<html>old</html>\n");
  old.close();
  const site_export::Outcome outcome =
      site_export::write(Course, disk.path(), withSound());
  EXPECT_FALSE(outcome.ok());
  ASSERT_FALSE(outcome.errors.isEmpty());
  EXPECT_TRUE(outcome.errors.first().contains("」に書き込めません"))
      << outcome.errors.first().toStdString();
  EXPECT_FALSE(QFileInfo::exists(disk.path() + "/index.html"));
  expectOnlyWholeFiles(disk.path());

  // The command line says so, naming the course, and fails.
  QProcess program;
  program.start(VARNEL_EXECUTABLE, {"--export-site", Course, disk.path()});
  ASSERT_TRUE(program.waitForFinished(120000));
  EXPECT_EQ(program.exitCode(), 1);
  EXPECT_TRUE(QString::fromUtf8(program.readAllStandardError())
                  .contains("Webページとして書き出せませんでした"));
}

TEST(SiteExport, StoppingLeavesTheWrittenPagesAndNoIndex) {
  ScratchDir dir;
  site_export::Options options;
  options.progress = [](int done, int) { return done < 3; };
  const site_export::Outcome outcome =
      site_export::write(Course, dir.path(), options);
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_EQ(outcome.pages, 3);
  EXPECT_EQ(QDir(dir.path()).entryList({"p*.html"}).size(), 3);
  EXPECT_FALSE(QFileInfo::exists(dir.file("index.html")));
}

TEST(SiteExport, AnUnreadablePageIsReportedAndTheRestIsWritten) {
  ScratchDir dir;
  dir.write("good.fum", pageWith("`10|40|40|"));
  dir.write("bad.fum", pageWith("`10|4x0|40|"));
  const QString course =
      dir.write("course.vrn", "/Course\r\ngood\r\nbad\r\nnothing\r\n");
  const QString out = dir.file("site");
  const site_export::Outcome outcome = site_export::write(course, out, {});
  EXPECT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.pages, 3);
  EXPECT_EQ(outcome.errors.size(), 2);
  EXPECT_TRUE(QFileInfo::exists(out + "/index.html"));
  EXPECT_TRUE(readBytes(out + "/p002-bad.html").contains("4x0"));
  EXPECT_TRUE(readBytes(out + "/p003-nothing.html").contains("nothing.fum"));
}

// The bundled course exported with its sound, and the loudness each piece
// had before.
class ExportedCourse : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (sound_fonts::best().isEmpty()) return;
    dir_ = std::make_unique<ScratchDir>();
    const QString soundFont = sound_fonts::best();
    options_.sound = [soundFont](const QByteArray &piece, const QString &stem,
                                 QString *error) {
      loudness::Levels levels;
      const bool made =
          audio_render::renderForWeb(piece, soundFont, stem, error, &levels);
      const QMutexLocker lock(&mutex_);
      levels_[QFileInfo(stem).fileName()] = levels;
      return made;
    };
    ASSERT_TRUE(site_export::write(Course, first(), options_).ok());
  }
  static void TearDownTestSuite() { dir_.reset(); }
  void SetUp() override {
    if (!dir_) GTEST_SKIP() << "no SoundFont installed";
  }
  static QString first() { return dir_->file("first"); }

  static inline std::unique_ptr<ScratchDir> dir_;
  static inline site_export::Options options_;
  static inline QMutex mutex_;
  static inline QMap<QString, loudness::Levels> levels_;
};

// Published again, nothing changes for git or rsync to send.
TEST_F(ExportedCourse, TwoExportsWriteTheSameBytes) {
  const QString second = dir_->file("second");
  ASSERT_TRUE(site_export::write(Course, second, options_).ok());
  const QStringList files = QDir(first()).entryList(QDir::Files, QDir::Name);
  EXPECT_EQ(files, QDir(second).entryList(QDir::Files, QDir::Name));
  for (const QString &name : files)
    EXPECT_TRUE(readBytes(first() + '/' + name) ==
                readBytes(second + '/' + name))
        << name.toStdString();
}

TEST_F(ExportedCourse, EachPieceIsStereoMp3AndOpusAsLongAndAsLoud) {
  CourseContents course;
  course.switchTo(Course);
  QString error, unheld;
  ASSERT_TRUE(course.read(&error, &unheld));
  int pieces = 0;
  for (qsizetype i = 0; i < course.ContentsEntries.size(); ++i) {
    const QString midi = course.pagePath(i).chopped(4) + ".mid";
    if (!QFileInfo::exists(midi)) continue;
    ++pieces;
    const QString stem = site_names::pageStem(
        int(i) + 1, cp932::toUnicode(entryName(course.ContentsEntries[i])));
    const QString page =
        QString::fromUtf8(readBytes(first() + '/' + stem + ".html"));
    // MP3 first: every browser plays it, and tells its length unranged.
    EXPECT_LT(page.indexOf(stem + ".mp3"), page.indexOf(stem + ".ogg"));
    for (const char *suffix : {".mp3", ".ogg"}) {
      const QString file = first() + '/' + stem + suffix;
      SCOPED_TRACE(file.toStdString());
      SF_INFO info{};
      SNDFILE *sound = sf_open(file.toLocal8Bit().constData(), SFM_READ, &info);
      ASSERT_NE(sound, nullptr) << sf_strerror(nullptr);
      std::vector<float> samples(size_t(info.frames) * info.channels);
      samples.resize(
          size_t(sf_readf_float(sound, samples.data(), info.frames)) *
          info.channels);
      sf_close(sound);
      EXPECT_EQ(info.channels, 2);
      EXPECT_NEAR(double(samples.size() / 2) / info.samplerate,
                  piece_length::pieceSeconds(readBytes(midi)), 0.5);
      // The codecs take a little off the top; what is heard stays level.
      EXPECT_NEAR(loudness::integrated(samples, 2, info.samplerate), -16.5,
                  1.0);
      EXPECT_LT(loudness::truePeakDb(samples, 2), -1.0);
    }
    const loudness::Levels levels = levels_.value(stem);
    RecordProperty(stem.toStdString() + "_lufs_before",
                   std::to_string(levels.before));
    RecordProperty(stem.toStdString() + "_lufs_after",
                   std::to_string(levels.after));
  }
  EXPECT_GT(pieces, 5);
}

TEST_F(ExportedCourse, TheFontHoldsEveryCharacterShownUnderANameOfItsOwn) {
  const QByteArray trueType = readBytes(first() + "/varnel-mincho.ttf");
  const QRawFont font(trueType, 16);
  ASSERT_TRUE(font.isValid());
  EXPECT_EQ(font.familyName(), "Varnel Mincho Subset");
  // What a browser shows: the texts, with their references resolved.
  QSet<char32_t> shown;
  for (const QString &name : QDir(first()).entryList({"*.html"})) {
    QXmlStreamReader html(readBytes(first() + '/' + name));
    while (!html.atEnd())
      if (html.readNext() == QXmlStreamReader::Characters)
        for (const char32_t c : html.text().toUcs4())
          if (c >= 0x20) shown.insert(c);
    EXPECT_FALSE(html.hasError()) << name.toStdString();
  }
  EXPECT_GT(shown.size(), 300);
  for (const char32_t c : shown)
    EXPECT_TRUE(font.supportsCharacter(c)) << "U+" << std::hex << quint32(c);

  // Small enough for a slow line, and the licence and the original named
  // beside it.
  EXPECT_LT(QFileInfo(first() + "/varnel-mincho.woff2").size(), 150 * 1024);
  EXPECT_TRUE(
      readBytes(first() + "/varnel-mincho-licence.txt").contains("IPA"));
  EXPECT_TRUE(
      readBytes(first() + "/varnel-mincho-readme.txt").contains("ipamp.ttf"));
  qint64 site = 0;
  for (QDirIterator files(first(), QDir::Files); files.hasNext();)
    site += files.nextFileInfo().size();
  EXPECT_LT(site, 2'500'000);
  RecordProperty("site_bytes", std::to_string(site));
}

}  // namespace
