#include <gtest/gtest.h>
#include <sndfile.h>

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QRawFont>
#include <QThread>
#include <QXmlStreamReader>
#include <atomic>
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
                              QString *error, const std::atomic<bool> &stop) {
    return audio_render::renderForWeb(piece, soundFont, path, error, nullptr,
                                      &stop);
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
  site_export::Options options = withSound();
  options.force = true;
  const site_export::Outcome outcome =
      site_export::write(Course, disk.path(), options);
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

// Stopped while a piece is being made, the run ends at once, tells the
// piece to give up and takes back everything it wrote.
TEST(SiteExport, StoppingTakesBackWhatItWroteAndLeavesNoIndex) {
  ScratchDir dir;
  site_export::Options options;
  std::atomic<bool> hanging = false;
  options.sound = [&](const QByteArray &, const QString &path, QString *,
                      const std::atomic<bool> &stop) {
    if (!path.endsWith("p004")) {
      for (const char *suffix : {".mp3", ".ogg"}) {
        QFile sound(path + QLatin1String(suffix));
        if (!sound.open(QIODevice::WriteOnly) || sound.write("snd") != 3)
          return false;
      }
      return true;
    }
    hanging = true;  // a piece that would take a minute
    for (int i = 0; i < 6000 && !stop; ++i) QThread::msleep(10);
    return false;
  };
  // Stopped while page 4 awaits its piece, well after pages 1 to 3.
  QElapsedTimer sinceHanging, sinceStop;
  options.progress = [&](int, int) {
    if (hanging && !sinceHanging.isValid()) sinceHanging.start();
    if (sinceHanging.isValid() && sinceHanging.elapsed() > 200 &&
        !sinceStop.isValid())
      sinceStop.start();
    return !sinceStop.isValid();
  };
  const site_export::Outcome outcome =
      site_export::write(Course, dir.path(), options);
  EXPECT_LT(sinceStop.elapsed(), 500);
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_EQ(
      QDir(dir.path())
          .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
      QStringList());

  // The synthesizer, told to stop, writes nothing.
  const QString soundFont = sound_fonts::best();
  if (soundFont.isEmpty()) return;
  const std::atomic<bool> stop = true;
  QString error;
  EXPECT_FALSE(audio_render::renderForWeb(
      readBytes(VARNEL_PROGRAM_FOLDER "Data/タイ.mid"), soundFont,
      dir.file("x"), &error, nullptr, &stop));
  EXPECT_FALSE(QFileInfo::exists(dir.file("x.ogg")));
  EXPECT_FALSE(QFileInfo::exists(dir.file("x.mp3")));
}

TEST(SiteExport, AnUnreadablePageIsNamedByItsEntryAndLeavesNoIndex) {
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
  EXPECT_FALSE(QFileInfo::exists(out + "/index.html"));
  EXPECT_TRUE(readBytes(out + "/p002-bad.html").contains("4x0"));
  // Named by its entry: the published page shows no folder of this machine.
  const QByteArray missing = readBytes(out + "/p003-nothing.html");
  EXPECT_TRUE(missing.contains("「nothing」")) << missing.toStdString();
  EXPECT_FALSE(missing.contains(dir.path().toUtf8()));
}

// A re-export takes away what the last site had and the new one has not,
// and nothing else; a link where a file of the site goes is replaced, not
// written through; a folder with the user's files is refused unless forced.
TEST(SiteExport, AReExportOwnsOnlyItsOwnFiles) {
  ScratchDir dir;
  dir.write("a.fum", pageWith("`10|40|40|"));
  dir.write("b.fum", pageWith("`10|40|40|"));
  const QString two = dir.write("two.vrn", "/Two\r\na\r\nb\r\n");
  const QString one = dir.write("one.vrn", "/One\r\na\r\n");
  const QString out = dir.file("site");
  ASSERT_TRUE(site_export::write(two, out, {}).ok());
  ASSERT_TRUE(QFileInfo::exists(out + "/p002-b.html"));
  const QString elsewhere = dir.write("mine.css", "mine");
  QFile::remove(out + "/site.css");
  ASSERT_TRUE(QFile::link(elsewhere, out + "/site.css"));

  EXPECT_TRUE(site_export::write(one, out, {}).ok());
  EXPECT_FALSE(QFileInfo::exists(out + "/p002-b.html"));
  EXPECT_FALSE(readBytes(out + "/index.html").contains("p002"));
  EXPECT_EQ(readBytes(elsewhere), "mine");
  EXPECT_FALSE(QFileInfo(out + "/site.css").isSymLink());
  EXPECT_TRUE(readBytes(out + "/site.css").contains("font-face"));

  const QString notes = dir.write("site/notes.txt", "mine");
  const QString index = dir.write("site/index.html", "mine");
  for (const bool force : {false, true}) {
    QProcess program;
    program.start(VARNEL_EXECUTABLE,
                  QStringList{"--export-site", two, out} +
                      (force ? QStringList{"--force"} : QStringList()));
    ASSERT_TRUE(program.waitForFinished(60000));
    const QString said = QString::fromUtf8(program.readAllStandardError());
    EXPECT_EQ(program.exitCode(), force ? 0 : 1) << said.toStdString();
    EXPECT_EQ(said.contains("notes.txt") && said.contains("--force"), !force);
    EXPECT_EQ(QFileInfo::exists(out + "/p002-b.html"), force);
    EXPECT_EQ(readBytes(index) == "mine", !force);
    EXPECT_EQ(readBytes(notes), "mine");
  }
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
                                 QString *error,
                                 const std::atomic<bool> &stop) {
      loudness::Levels levels;
      const bool made = audio_render::renderForWeb(piece, soundFont, stem,
                                                   error, &levels, &stop);
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
  // In a program that runs on, the PDF writer puts the booklet's fonts in
  // the order of a hash; the command line's booklet is checked on its own.
  for (const QString &name : files) {
    if (name == QLatin1String("booklet.pdf")) continue;
    EXPECT_TRUE(readBytes(first() + '/' + name) ==
                readBytes(second + '/' + name))
        << name.toStdString();
  }
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
  // What a reader's browser fetches: the pages, their sound and the font;
  // the booklet is a download of its own.
  qint64 site = 0;
  for (QDirIterator files(first(), QDir::Files); files.hasNext();) {
    const QFileInfo file = files.nextFileInfo();
    if (file.fileName() != QLatin1String("booklet.pdf")) site += file.size();
  }
  EXPECT_LT(site, 2'500'000);
  RecordProperty("site_bytes", std::to_string(site));
}

}  // namespace
