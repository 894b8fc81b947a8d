#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

class CourseContents;
class QPagedPaintDevice;

// A course printed as a booklet: one A4 sheet per page, with the page's
// title, its staff paper drawn as vectors (every glyph pixel a filled
// square, every staff line a line) and its page text beneath, in the
// page fonts, embedded in the PDF.
namespace pdf_booklet {

// One page of the booklet: the title printed above it and its page file.
struct Page {
  QString title;
  QString path;
};

// Sheet geometry, in points from the sheet's top-left corner. The sheet is
// A4 in whole points, as the PDF's page box gives it.
constexpr double SheetWidth = 595;
constexpr double SheetHeight = 842;
constexpr double SideMargin = 42;
constexpr double TopMargin = 48;
constexpr double BottomMargin = 56;
constexpr double PaperTop = 86;  // below the title and its rule

// Where a page's staff paper lies on its sheet and how large one of its
// pixels is printed, in points.
struct PaperPlace {
  QPointF topLeft;
  double scale;
};

// A page pixel is one point (the picture at 72 dpi is the screen picture,
// pixel for pixel) and the paper is centred on whole points. Paper that
// does not fit between the margins at that size is printed at the largest
// size that does.
PaperPlace placePaper(int staffCount, int staffWidth);

// The pages of a course read in, titled as its list shows them, without
// their indentation.
QList<Page> coursePages(const CourseContents &course);

// Draws the pages, in order, an A4 sheet each from the device's top-left
// corner, on any paged device: a PDF writer, a printer, a preview. A page
// that cannot be found or read gets a sheet that says so, and its message
// is appended to `errors`. False when the device could not be painted on
// or finished.
bool print(const QList<Page> &pages, QPagedPaintDevice &device,
           const QString &courseTitle, QStringList &errors);

// Writes the pages, in order, to a PDF file, as print() draws them. A page that
// cannot be found or read gets a sheet that says so; the messages come back,
// one per such page (and one when the file cannot be written at all).
QStringList write(const QList<Page> &pages, const QString &pdfPath,
                  const QString &courseTitle = {});

}  // namespace pdf_booklet
