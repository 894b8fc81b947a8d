#include <QImage>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>

#include "support/ProgramFixture.h"

namespace {

const char *const StampedPage =
    "Fum[paper]\r\n~Adagio, ma non troppo.\r\n"
    "^1|2|300|`32|40|70|`14|150|50|`32|290|110|Allegro|200|140|\r\n"
    "End[paper]\r\n";

// The first sheet of a PDF at 72 dpi, where a point is a pixel.
QImage firstSheet(const QString &pdf) {
  const QString stem = pdf + QStringLiteral("-sheet");
  QProcess::execute(
      QStringLiteral("pdftoppm"),
      {"-r", "72", "-f", "1", "-l", "1", "-png", "-singlefile", pdf, stem});
  return QImage(stem + QStringLiteral(".png"))
      .convertToFormat(QImage::Format_RGB32);
}

// Pixels that differ by more than antialiasing of a text's edge may.
int differingPixels(const QImage &a, const QImage &b) {
  if (a.size() != b.size()) return -1;
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 96) ++differing;
  return differing;
}

class PrintCommands : public ProgramTest {
 protected:
  PrintCommands() {
    pagePath = scratch.write(QStringLiteral("paper.fum"), StampedPage);
    doc().files().openFile(pagePath);
  }
  // The booklet the command line prints of the page file.
  QImage renderedSheet() {
    const QString pdf = scratch.file(QStringLiteral("rendered.pdf"));
    EXPECT_EQ(QProcess::execute(VARNEL_EXECUTABLE, {"--render", pagePath, pdf}),
              0);
    return firstSheet(pdf);
  }
  QString pagePath;
};

}  // namespace

// Printed from the window, to a file through the printer, the page is the
// sheet the command line's booklet has.
TEST_F(PrintCommands, PrintedSheetIsTheBookletSheet) {
  const QString printed = scratch.file(QStringLiteral("printed.pdf"));
  form().setDialogRunner([&](QDialog &dialog) {
    auto *print = qobject_cast<QPrintDialog *>(&dialog);
    ASSERT_NE(print, nullptr);
    print->printer()->setOutputFileName(printed);
    dialog.setResult(QDialog::Accepted);
  });
  action("Print1")->trigger();
  const QImage sheet = firstSheet(printed);
  ASSERT_FALSE(sheet.isNull());
  const QImage expected = renderedSheet();
  EXPECT_EQ(sheet.size(), expected.size());
  EXPECT_LE(differingPixels(sheet, expected), 20);
  EXPECT_TRUE(messages.shown.isEmpty());
}

// The preview shows the sheets of the open course: one per entry.
TEST_F(PrintCommands, PreviewShowsASheetPerEntry) {
  doc().files().openFile(
      scratch.write(QStringLiteral("c.vrn"), "paper\r\n paper\r\n"));
  int sheets = 0;
  form().setDialogRunner([&](QDialog &dialog) {
    dialog.show();  // the preview draws when first shown
    if (auto *shown = dialog.findChild<QPrintPreviewWidget *>())
      sheets = shown->pageCount();
    dialog.close();
  });
  action("PrintPreview1")->trigger();
  EXPECT_EQ(sheets, 2);
}

// Unsaved edits are offered for saving before the file is printed: Cancel
// prints nothing, Yes prints the page with the edit.
TEST_F(PrintCommands, PdfExportOffersTheEditsForSavingFirst) {
  doc().session().setExecutive(true);
  doc().appendInput("`14", 100, 48);
  const QString pdf = scratch.file(QStringLiteral("paper.pdf"));
  messages.answers = {Messages::Answer::Cancel};
  messages.paths = {pdf};
  action("ExportPdf1")->trigger();
  EXPECT_TRUE(messages.dialogs.isEmpty());
  EXPECT_TRUE(page().Modified);

  messages.answers = {Messages::Answer::Yes};
  action("ExportPdf1")->trigger();
  ASSERT_EQ(messages.dialogs.size(), 1);
  EXPECT_EQ(messages.dialogs[0].fileName, pdf);
  EXPECT_FALSE(page().Modified);
  EXPECT_EQ(firstSheet(pdf), renderedSheet());
}
