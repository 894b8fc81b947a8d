#include "export/render/PdfBooklet.h"

#include <QBuffer>
#include <QDateTime>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QStaticText>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "base/core/Cp932.h"
#include "base/core/Report.h"
#include "base/core/WholeFile.h"
#include "files/core/ContentsFile.h"
#include "files/core/CourseContents.h"
#include "files/core/PageFile.h"
#include "score/core/InputMarks.h"
#include "score/core/ScorePage.h"
#include "score/core/StaffGeometry.h"
#include "score/render/GlyphRectangles.h"
#include "score/render/GlyphSet.h"
#include "score/render/PageFonts.h"

namespace pdf_booklet {
namespace {

constexpr double TextWidth = SheetWidth - 2 * SideMargin;
constexpr double TextBottom = SheetHeight - BottomMargin;
constexpr double TitleRule = 74;
constexpr double TextGap = 16;  // between the paper and the page text
constexpr double LineHeight = 18;
constexpr double FooterBaseline = SheetHeight - 30;

struct LoadedPage {
  ScorePage page;
  QString text;
  QList<InputMark> marks;  // their texts lie in `page`
};

// The marks on the page's paper; a page with a number that does not
// convert is not printed, and its sheet names the number instead.
bool takeMarks(LoadedPage &loaded, Reports &reports) {
  const ScorePage &page = loaded.page;
  InputMarks marks(page.Inputs, page.StaffWidth,
                   staff_geometry::canvasHeight(page.StaffCount));
  for (InputMark mark; marks.next(mark);) loaded.marks.append(mark);
  if (!marks.stop()) return true;
  reports << Report::notAnInteger(cp932::toUnicode(marks.stop()->text));
  return false;
}

// Reads the page; the message for its sheet when it cannot be printed.
QString load(const Page &page, LoadedPage &loaded) {
  if (!QFileInfo(page.path).isFile()) {
    return QFileInfo::exists(page.path)
               ? QStringLiteral("「%1」はファイルではありません。")
                     .arg(page.title)
               : QStringLiteral("「%1」が見つかりません。").arg(page.title);
  }
  page_file::LoadResult result = page_file::readInto(loaded.page, page.path);
  if (result.status == page_file::LoadResult::Status::Loaded &&
      !anyFailure(result.reports))
    takeMarks(loaded, result.reports);
  // Warnings do not keep a page from its sheet.
  QStringList failures;
  for (const Report &each : result.reports)
    if (each.isFailure()) failures << each.line();
  if (!failures.isEmpty()) {
    return QStringLiteral("「%1」が読めません。%2")
        .arg(page.title, failures.join(QLatin1Char(' ')));
  }
  loaded.text = cp932::toUnicode(result.pageText);
  loaded.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  loaded.text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return {};
}

// The glyphs' ink as rectangles, worked out once for the booklet.
class GlyphInk {
 public:
  const QList<QRect> &rectangles(int glyph) {
    std::optional<QList<QRect>> &ink = ink_[glyph];
    if (!ink) ink = glyphRectangles(GlyphSet::instance().rows(glyph));
    return *ink;
  }

 private:
  std::array<std::optional<QList<QRect>>, glyph_cell::Count> ink_;
};

// Draws on the sheets of the booklet in points; the device's own unit is
// finer, so that text is laid out without rounding.
class Sheets {
 public:
  Sheets(QPagedPaintDevice &device, QPainter &painter,
         const QString &courseTitle)
      : writer_(device),
        painter_(painter),
        courseTitle_(courseTitle),
        unit_(device.logicalDpiX() / 72.0) {}

  // A fresh sheet for a page, headed by its title.
  void start(const QString &title) {
    title_ = title;
    newSheet(title);
  }

  void paper(const LoadedPage &loaded);
  void text(const QString &text, double pointSize);

 private:
  static QFont makeFont(const QString &family, double pointSize) {
    QFont face = page_fonts::face(family, 12);
    face.setPointSizeF(pointSize);
    return face;
  }
  void newSheet(const QString &heading) {
    if (sheetNumber_++ > 0) writer_.newPage();
    drawTitle(heading);
    drawFooter();
    y_ = PaperTop;
  }
  void drawTitle(const QString &title);
  void drawFooter();
  void drawStaffLines(int staffCount, int width, int height);

  QPagedPaintDevice &writer_;
  QPainter &painter_;
  QString courseTitle_;
  QString title_;
  double unit_;
  int sheetNumber_ = 0;
  double y_ = PaperTop;
  GlyphInk glyphs_;
};

void Sheets::drawTitle(const QString &title) {
  const QFont face = makeFont(QStringLiteral("ＭＳ Ｐゴシック"), 16);
  const QFontMetricsF metrics(face, &writer_);
  painter_.setFont(face);
  painter_.setPen(Qt::black);
  painter_.drawText(
      QPointF(SideMargin * unit_, TopMargin * unit_ + metrics.ascent()),
      metrics.elidedText(title, Qt::ElideRight, TextWidth * unit_));
  painter_.setPen(QPen(Qt::black, 0.6 * unit_));
  painter_.drawLine(QPointF(SideMargin, TitleRule) * unit_,
                    QPointF(SheetWidth - SideMargin, TitleRule) * unit_);
}

void Sheets::drawFooter() {
  const QFont face = makeFont(QStringLiteral("ＭＳ Ｐゴシック"), 8);
  const QFontMetricsF metrics(face, &writer_);
  painter_.setFont(face);
  painter_.setPen(QColor(0x55, 0x55, 0x55));
  painter_.drawText(QPointF(SideMargin, FooterBaseline) * unit_,
                    metrics.elidedText(courseTitle_, Qt::ElideRight,
                                       TextWidth * 0.8 * unit_));
  const QString number = QString::number(sheetNumber_);
  painter_.drawText(QPointF((SheetWidth - SideMargin) * unit_ -
                                metrics.horizontalAdvance(number),
                            FooterBaseline * unit_),
                    number);
}

// The lines where the canvas draws them, one page pixel thick.
void Sheets::drawStaffLines(int staffCount, int width, int height) {
  using namespace staff_geometry;
  painter_.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap));
  for (int staff = 0; staff < staffCount; ++staff) {
    for (int line = 0; line < LinesPerStaff; ++line) {
      const int y = lineY(staff, line);
      if (y < 0 || y >= height) continue;
      painter_.drawLine(QLineF(StaffMargin, y + 0.5, lineEndX(width), y + 0.5));
    }
  }
}

void Sheets::paper(const LoadedPage &loaded) {
  const ScorePage &page = loaded.page;
  const int width = page.StaffWidth;
  const int height = staff_geometry::canvasHeight(page.StaffCount);
  const PaperPlace place = placePaper(page.StaffCount, page.StaffWidth);
  painter_.save();
  painter_.translate(place.topLeft * unit_);
  painter_.scale(place.scale * unit_, place.scale * unit_);
  painter_.setClipRect(QRectF(0, 0, width, height));
  drawStaffLines(page.StaffCount, width, height);
  // Each glyph is filled as it comes, its rectangles in its own cell, so
  // that the file says little more for a glyph than which one and where.
  // The rectangles of one fill meet without seams in any viewer.
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(Qt::black);
  for (const InputMark &mark : loaded.marks) {
    if (!mark.isGlyph) continue;
    const QList<QRect> &ink = glyphs_.rectangles(mark.glyph);
    const QPoint cell(mark.cellLeft(), mark.cellTop());
    painter_.translate(cell);
    painter_.drawRects(ink.constData(), int(ink.size()));
    painter_.translate(-cell);
  }
  // Texts are placed by their top-left corner, as on the canvas.
  painter_.setFont(page_fonts::pageTextFont());
  painter_.setPen(Qt::black);
  for (const InputMark &mark : loaded.marks) {
    if (mark.isGlyph) continue;
    QStaticText laid(cp932::toUnicode(mark.text.toByteArray()));
    laid.setTextFormat(Qt::PlainText);
    painter_.drawStaticText(QPointF(mark.x, mark.y), laid);
  }
  painter_.restore();
  y_ = place.topLeft.y() + height * place.scale + TextGap;
}

// Wraps each line of the text to the text width; what does not fit on the
// sheet goes on to the next, under the same title.
void Sheets::text(const QString &text, double pointSize) {
  const QFont face = makeFont(QStringLiteral("ＭＳ 明朝"), pointSize);
  painter_.setFont(face);
  painter_.setPen(Qt::black);
  QStringList lines = text.split(QLatin1Char('\n'));
  while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
    lines.removeLast();
  for (const QString &line : lines) {
    QTextLayout layout(line, face, &writer_);
    layout.beginLayout();
    while (true) {
      QTextLine row = layout.createLine();
      if (!row.isValid()) break;
      row.setLineWidth(TextWidth * unit_);
    }
    layout.endLayout();
    for (int i = 0; i < layout.lineCount(); ++i) {
      if (y_ + LineHeight > TextBottom) {
        // A blank row at the foot of a sheet is not carried over.
        if (line.isEmpty()) break;
        newSheet(title_ + QStringLiteral("（続き）"));
      }
      const QTextLine row = layout.lineAt(i);
      const double top = y_ * unit_ + (LineHeight * unit_ - row.height()) / 2;
      row.draw(&painter_, QPointF(SideMargin * unit_, top - row.y()));
      y_ += LineHeight;
    }
  }
}

}  // namespace

PaperPlace placePaper(int staffCount, int staffWidth) {
  const double width = staffWidth;
  const double height = staff_geometry::canvasHeight(staffCount);
  const double scale =
      std::min({1.0, TextWidth / width, (TextBottom - PaperTop) / height});
  return {QPointF(SideMargin + std::floor((TextWidth - width * scale) / 2),
                  PaperTop),
          scale};
}

QList<Page> coursePages(const CourseContents &course) {
  QList<Page> pages;
  for (int i = 0; i < course.ContentsEntries.size(); ++i) {
    pages.append({cp932::toUnicode(entryName(course.ContentsEntries.at(i))),
                  course.pagePath(i)});
  }
  return pages;
}

bool print(const QList<Page> &pages, QPagedPaintDevice &device,
           const QString &courseTitle, QStringList &errors) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  Sheets sheets(device, painter, courseTitle);
  for (const Page &page : pages) {
    LoadedPage loaded;
    const QString error = load(page, loaded);
    sheets.start(page.title);
    if (!error.isEmpty()) {
      errors << error;
      sheets.text(error, 12);
      continue;
    }
    sheets.paper(loaded);
    sheets.text(loaded.text, 10.5);
  }
  return painter.end();
}

namespace {

// When the booklet's pages were last changed, as the PDF's creation date
// gives it; SOURCE_DATE_EPOCH, when set, as reproducible builds use it.
// Then the same course makes the same bytes on every run.
std::optional<QDateTime> lastChange(const QList<Page> &pages) {
  bool given = false;
  const qint64 epoch =
      qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&given);
  if (given) return QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC);
  std::optional<QDateTime> newest;
  for (const Page &page : pages) {
    const QDateTime changed = QFileInfo(page.path).lastModified().toUTC();
    if (changed.isValid() && (!newest || changed > *newest)) newest = changed;
  }
  return newest;
}

// Puts `date` in place of the creation date the PDF writer gave, which has
// the same length.
void setCreationDate(QByteArray &pdf, const QDateTime &date) {
  static const QByteArray key = "/CreationDate (D:";
  const qsizetype at = pdf.indexOf(key);
  const QByteArray stamp =
      date.toUTC().toString(QStringLiteral("yyyyMMddhhmmss")).toLatin1() + "Z)";
  if (at < 0 || pdf.mid(at + key.size() + 14, 2) != "Z)" || stamp.size() != 16)
    return;
  pdf.replace(at + key.size(), stamp.size(), stamp);
}

}  // namespace

QStringList write(const QList<Page> &pages, const QString &pdfPath,
                  const QString &courseTitle) {
  // The booklet replaces an old one only once all of it is on the disk.
  WholeFile file(pdfPath);
  if (!file.open()) return {file.errorText() + QLatin1Char('.')};
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  QStringList errors;
  {
    QPdfWriter writer(&pdf);
    // Sixteen units to the point: whole points stay whole numbers in the
    // file, so pixels printed a point each meet without overlap or gap.
    writer.setResolution(72 * 16);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     QPageLayout::Portrait, QMarginsF()));
    writer.setCreator(QStringLiteral("Varnel"));
    writer.setTitle(courseTitle.isEmpty() && !pages.isEmpty()
                        ? pages.first().title
                        : courseTitle);
    if (!print(pages, writer, courseTitle, errors)) file.cancel();
  }
  if (const std::optional<QDateTime> date = lastChange(pages))
    setCreationDate(pdf.buffer(), *date);
  // A short write is kept by the file, with its reason, for the commit.
  file.device().write(pdf.buffer());
  if (!file.commit()) errors << file.errorText() + QLatin1Char('.');
  return errors;
}

}  // namespace pdf_booklet
