#include "export/render/SitePageSvg.h"

#include <QFontMetrics>
#include <QSet>

#include "base/core/Cp932.h"
#include "export/core/SiteHtml.h"
#include "score/core/InputMarks.h"
#include "score/core/ScorePage.h"
#include "score/core/StaffGeometry.h"
#include "score/render/GlyphRectangles.h"
#include "score/render/GlyphSet.h"
#include "score/render/PageFonts.h"

namespace site_page_svg {
namespace {

// The glyph's ink as path data, relative to the cell's top-left corner.
QString glyphPath(int index) {
  QString d;
  for (const QRect &ink : glyphRectangles(GlyphSet::instance().rows(index)))
    d += QStringLiteral("M%1 %2h%3v%4h-%3z")
             .arg(ink.left())
             .arg(ink.top())
             .arg(ink.width())
             .arg(ink.height());
  return d;
}

}  // namespace

QString paper(const ScorePage &page, std::optional<MarkStop> *error) {
  if (error) error->reset();
  const int width = page.StaffWidth;
  const int height = staff_geometry::canvasHeight(page.StaffCount);

  QList<InputMark> marks;
  QSet<int> used;
  InputMarks inputs(page.Inputs, width, height);
  for (InputMark mark; inputs.next(mark);) {
    if (mark.isGlyph) used.insert(mark.glyph);
    marks.append(mark);
  }
  if (error) *error = inputs.stop();

  // The page tells a screen reader what the paper shows in words; the
  // paper's scattered texts alone would only mislead it.
  QString svg = QStringLiteral(
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                    "height=\"%2\" viewBox=\"0 0 %1 %2\" "
                    "shape-rendering=\"crispEdges\" aria-hidden=\"true\">\n"
                    "<rect width=\"%1\" height=\"%2\" fill=\"#fff\"/>\n")
                    .arg(width)
                    .arg(height);
  if (!used.isEmpty()) {
    QList<int> glyphs(used.begin(), used.end());
    std::sort(glyphs.begin(), glyphs.end());
    svg += QStringLiteral("<defs>\n");
    for (const int index : glyphs)
      svg += QStringLiteral("<path id=\"g%1\" d=\"%2\"/>\n")
                 .arg(index)
                 .arg(glyphPath(index));
    svg += QStringLiteral("</defs>\n");
  }
  // The staff lines, one pixel high, as the canvas rules them.
  svg += QStringLiteral("<g stroke=\"#000\" stroke-width=\"1\">\n");
  const int lastX = staff_geometry::lineEndX(width);
  for (int staff = 0; staff < page.StaffCount; ++staff) {
    for (int line = 0; line < staff_geometry::LinesPerStaff; ++line) {
      const int y = staff_geometry::lineY(staff, line);
      if (y < 0 || y >= height || lastX <= staff_geometry::StaffMargin)
        continue;
      svg += QStringLiteral(
                 "<line x1=\"%1\" y1=\"%2.5\" x2=\"%3\" y2=\"%2.5\"/>\n")
                 .arg(staff_geometry::StaffMargin)
                 .arg(y)
                 .arg(lastX);
    }
  }
  svg += QStringLiteral("</g>\n");
  // A text is placed by its top-left corner, as on the canvas.
  const int ascent = QFontMetrics(page_fonts::pageTextFont()).ascent();
  for (const InputMark &mark : marks) {
    if (mark.isGlyph) {
      svg += QStringLiteral("<use href=\"#g%1\" x=\"%2\" y=\"%3\"/>\n")
                 .arg(mark.glyph)
                 .arg(mark.cellLeft())
                 .arg(mark.cellTop());
    } else {
      svg += QStringLiteral("<text x=\"%1\" y=\"%2\">%3</text>\n")
                 .arg(mark.x)
                 .arg(mark.y + ascent)
                 .arg(site_html::escape(
                     cp932::toUnicode(mark.text.toByteArray())));
    }
  }
  svg += QStringLiteral("</svg>");
  return svg;
}

}  // namespace site_page_svg
