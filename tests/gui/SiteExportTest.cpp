#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <atomic>

#include "export/render/SiteExport.h"
#include "sound/core/SoundFonts.h"
#include "sound/module/AudioRender.h"
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
    return audio_render::renderToOgg(piece, soundFont, path, error, nullptr,
                                     audio_render::MaxPieceSeconds, &stop);
  };
  return options;
}

// Every HTML file in the folder is whole, and nothing else was left there.
void expectOnlyWholeFiles(const QString &folder) {
  for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files)) {
    const QString name = file.fileName();
    EXPECT_TRUE(name == QStringLiteral("filler") ||
                QStringList({"html", "css", "js", "ttf", "txt", "ogg"})
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
    if (!path.endsWith("p004.ogg")) {
      QFile ogg(path);
      return ogg.open(QIODevice::WriteOnly) && ogg.write("OggS") == 4;
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
  EXPECT_FALSE(audio_render::renderToOgg(
      readBytes(VARNEL_PROGRAM_FOLDER "Data/タイ.mid"), soundFont,
      dir.file("x.ogg"), &error, nullptr, audio_render::MaxPieceSeconds,
      &stop));
  EXPECT_FALSE(QFileInfo::exists(dir.file("x.ogg")));
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

}  // namespace
