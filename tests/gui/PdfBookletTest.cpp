#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include "base/core/Cp932.h"
#include "export/render/PdfBooklet.h"
#include "files/core/ContentsFile.h"
#include "files/core/CourseContents.h"
#include "files/core/PageFile.h"
#include "score/core/Decimal.h"
#include "score/core/ScorePage.h"
#include "score/core/StaffGeometry.h"
#include "score/render/GlyphSet.h"
#include "support/RunProgram.h"
#include "support/ScriptedMessages.h"
#include "support/TestFiles.h"

namespace {

using Outcome = ProgramRun;

// Runs Varnel (without a display) or a poppler tool.
Outcome run(const QString &program, const QStringList &arguments) {
  return runWithoutDisplay(program, arguments);
}

Outcome render(const QString &in, const QString &out) {
  return run(QStringLiteral(VARNEL_EXECUTABLE), {"--render", in, out});
}

// The text of each sheet, as a reader copying from the PDF gets it.
QStringList sheetTexts(const QString &pdf) {
  QStringList sheets =
      run("pdftotext", {"-enc", "UTF-8", pdf, "-"}).out.split('\f');
  sheets.removeLast();  // after the last form feed
  return sheets;
}

const char *const TestPage =
    "Fum[paper]\r\n~Adagio, ma non troppo.\r\n"
    "^1|2|300|`32|40|70|`14|150|50|`32|290|110|Allegro|200|140|\r\n"
    "End[paper]\r\n";

}  // namespace

TEST(PdfBooklet, BundledCourseHasASheetPerEntryInEmbeddedFonts) {
  CourseContents course;
  course.switchTo(QStringLiteral(VARNEL_PROGRAM_FOLDER "Data/Varnel.vrn"));
  QString error, unheld;
  ASSERT_TRUE(course.read(&error, &unheld));
  ScratchDir dir;
  const QString pdf = dir.file(QStringLiteral("course.pdf"));
  const Outcome made = render(course.ContentsPath, pdf);
  EXPECT_EQ(made.status, 0) << made.err.toStdString();
  EXPECT_TRUE(run("pdfinfo", {pdf})
                  .out.contains(QRegularExpression(
                      QStringLiteral("\nPages: +%1\n")
                          .arg(course.ContentsEntries.size()))));
  const QStringList sheets = sheetTexts(pdf);
  ASSERT_EQ(sheets.size(), course.ContentsEntries.size());
  for (int i = 0; i < sheets.size(); ++i) {
    const QString title =
        cp932::toUnicode(entryName(course.ContentsEntries[i]));
    EXPECT_TRUE(sheets[i].startsWith(title + '\n')) << sheets[i].toStdString();
  }
  // The page text and a text stamped on the paper of a known page.
  ScorePage page;
  const page_file::LoadResult read =
      page_file::readInto(page, course.pagePath(0));
  ASSERT_EQ(read.status, page_file::LoadResult::Status::Loaded);
  EXPECT_TRUE(sheets[0].contains(cp932::toUnicode(read.pageText).left(12)));
  int label = page.count() - 1;
  while (label > 0 && isGlyphReference(page.Inputs.content(label))) --label;
  EXPECT_TRUE(sheets[0].contains(
      cp932::toUnicode(page.Inputs.content(label).toByteArray())));

  const QStringList fonts =
      run("pdffonts", {pdf}).out.split('\n', Qt::SkipEmptyParts).mid(2);
  EXPECT_EQ(fonts.size(), 3);
  for (const QString &font : fonts) {
    // name, type, encoding, then "emb sub uni object generation"
    const QStringList columns = font.split(' ', Qt::SkipEmptyParts);
    EXPECT_TRUE(font.startsWith("IPA")) << font.toStdString();
    EXPECT_EQ(columns.value(columns.size() - 5), "yes") << font.toStdString();
  }
}

TEST(PdfBooklet, StaffPaperIsPixelArtWhereTheLayoutPutsIt) {
  ScratchDir dir;
  const QString pdf = dir.file(QStringLiteral("paper.pdf"));
  ASSERT_EQ(render(dir.write("paper.fum", TestPage), pdf).status, 0);
  EXPECT_TRUE(sheetTexts(pdf).value(0).startsWith("paper\n"));

  // At 72 dpi a point is a raster pixel: paper printed a point per pixel
  // comes back as its own picture.
  run("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, dir.file("paper")});
  const QImage raster(dir.file(QStringLiteral("paper.png")));
  ASSERT_FALSE(raster.isNull());
  const int width = 300, height = staff_geometry::canvasHeight(2);
  const pdf_booklet::PaperPlace place = pdf_booklet::placePaper(2, width);
  ASSERT_EQ(place.scale, 1.0);
  const QPoint origin = place.topLeft.toPoint();
  ASSERT_EQ(QPointF(origin), place.topLeft);
  const struct {
    int glyph, x, y;
  } glyphs[] = {{32, 40, 70}, {14, 150, 50}, {32, 290, 110}};
  auto ink = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const int line = y - staff_geometry::StaffTop,
              inStaff = line % staff_geometry::StaffPitch;
    if (line >= 0 && line < 2 * staff_geometry::StaffPitch &&
        inStaff % staff_geometry::LineGap == 0 &&
        inStaff < 5 * staff_geometry::LineGap &&
        x >= staff_geometry::StaffMargin &&
        x < width - staff_geometry::StaffMargin)
      return true;
    for (const auto &g : glyphs) {
      if (GlyphSet::instance().ink(g.glyph, x - g.x + GlyphSet::Anchor,
                                   y - g.y + GlyphSet::Anchor))
        return true;
    }
    return false;
  };
  int wrong = 0;
  // The paper and a white border around it, but for "Allegro".
  for (int y = -8; y < height + 8; ++y) {
    for (int x = -8; x < width + 8; ++x) {
      if (x >= 196 && x < width && y >= 136 && y < height) continue;
      const int gray = qGray(raster.pixel(origin + QPoint(x, y)));
      // Poppler's anti-aliasing leaves a faint edge beside some runs.
      if (ink(x, y) ? gray <= 64 : gray >= 160) continue;
      if (++wrong <= 5) ADD_FAILURE() << x << "," << y << " is " << gray;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(PdfBooklet, StaffPaperFitsTheSheet) {
  using namespace pdf_booklet;
  const struct {
    int staves, width;
  } cases[] = {{2, 300}, {3, 420}, {2, 610}, {1, 1280}, {32, 300}};
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.staves << " x " << c.width);
    const PaperPlace place = placePaper(c.staves, c.width);
    const QRectF paper(
        place.topLeft,
        QSizeF(c.width, staff_geometry::canvasHeight(c.staves)) * place.scale);
    EXPECT_TRUE(QRectF(SideMargin, PaperTop, SheetWidth - 2 * SideMargin,
                       SheetHeight - BottomMargin - PaperTop)
                    .contains(paper));
    // Shrunk only as far as needed: then one side meets its margin.
    if (place.scale != 1.0) {
      EXPECT_NEAR(std::max(paper.width() / (SheetWidth - 2 * SideMargin),
                           paper.bottom() / (SheetHeight - BottomMargin)),
                  1.0, 1e-9);
    }
  }
}

TEST(PdfBooklet, UnprintablePagesGetASheetSayingSoAndTheBookletIsWritten) {
  ScratchDir dir;
  dir.write("good.fum", TestPage);
  dir.write("bad.fum", "Fum[bad]\r\n^1|4|610|`14|1O|2|\r\nEnd[bad]\r\n");
  dir.write("none.fum", "no page here\r\n");
  const QString contents =
      dir.write("c.vrn", "/Course\r\ngood\r\n  missing\r\nbad\r\nnone\r\n");
  const QString pdf = dir.file(QStringLiteral("OUT.PDF"));
  const Outcome made = render(contents, pdf);
  EXPECT_EQ(made.status, 1);
  const struct {
    const char *title, *message;
  } cases[] = {
      {"good", ""},
      {"missing", "「missing」が見つかりません。"},
      {"bad", "'1O' は整数ではありません."},
      {"none", "Fumデータが読めません。"},
  };
  const QStringList sheets = sheetTexts(pdf);
  ASSERT_EQ(sheets.size(), 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(cases[i].title);
    const QString message = QString::fromUtf8(cases[i].message);
    EXPECT_TRUE(sheets[i].startsWith(QString::fromUtf8(cases[i].title)));
    EXPECT_TRUE(made.err.contains(message)) << made.err.toStdString();
    EXPECT_TRUE(sheets[i].contains(message)) << sheets[i].toStdString();
  }
  EXPECT_EQ(made.err.count('\n'), 3);

  const Outcome single = render(dir.file("gone.fum"), pdf);
  EXPECT_EQ(single.status, 1);
  EXPECT_EQ(single.err, QStringLiteral("「gone」が見つかりません。\n"));
  EXPECT_EQ(sheetTexts(pdf).size(), 1);
}

TEST(PdfBooklet, LongPageTextsGoOnToTheNextSheetWithNothingLost) {
  const QString sentence = QStringLiteral("長い説明の文です。");
  QByteArray page = "Fum[long]\r\n";
  for (int i = 0; i < 4; ++i)
    page += '~' + sjis(sentence.repeated(40)) + "||\r\n";
  page += "\r\n^1|2|300|\r\nEnd[long]\r\n";
  ScratchDir dir;
  const QString pdf = dir.file(QStringLiteral("long.pdf"));
  EXPECT_EQ(render(dir.write("long.fum", page), pdf).status, 0);
  const QStringList sheets = sheetTexts(pdf);
  ASSERT_EQ(sheets.size(), 2);
  EXPECT_TRUE(sheets[1].startsWith(QStringLiteral("long（続き）\n")));
  QString text;  // without the titles and sheet numbers
  for (const QString &sheet : sheets)
    text += sheet.section('\n', 1).remove(QRegularExpression("\\d+\\s*$"));
  text.remove('\n');
  EXPECT_EQ(text.count(sentence), 4 * 40) << text.toStdString();
}

TEST(PdfBooklet, TheSameCourseGivesTheSameBytesDatedByItsPages) {
  ScratchDir dir;
  const QString page = dir.write("paper.fum", TestPage);
  const QDateTime changed(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC);
  QFile file(page);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite) &&
              file.setFileTime(changed, QFileDevice::FileModificationTime));
  file.close();
  const QString course = dir.write("c.vrn", "/Course\r\npaper\r\npaper\r\n");
  ASSERT_EQ(render(course, dir.file("one.pdf")).status, 0);
  ASSERT_EQ(render(course, dir.file("two.pdf")).status, 0);
  EXPECT_EQ(readBytes(dir.file("one.pdf")), readBytes(dir.file("two.pdf")));
  EXPECT_TRUE(readBytes(dir.file("one.pdf"))
                  .contains("/CreationDate (D:20240506070809Z)"));
}
