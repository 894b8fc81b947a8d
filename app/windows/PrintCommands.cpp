#include "app/windows/PrintCommands.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <optional>

#include "app/core/Document.h"
#include "base/core/Messages.h"
#include "export/render/PdfBooklet.h"
#include "score/render/BusyCursor.h"

namespace print_commands {
namespace {

// What is printed and what it is called.
struct Booklet {
  QList<pdf_booklet::Page> pages;
  QString title;
  QString path;  // the contents file or the page file
};

// The course while one is open, else the saved page.
std::optional<Booklet> booklet(Document &document) {
  if (!document.offerSaveBeforeReading()) return std::nullopt;
  const CourseNavigator &navigator = document.navigator();
  if (navigator.active()) {
    const CourseContents &course = navigator.course();
    return Booklet{pdf_booklet::coursePages(course), course.caption(),
                   course.ContentsPath};
  }
  const QString path = document.page().PagePath;
  if (path.isEmpty()) {
    document.messages().error(QStringLiteral(
        "印刷する譜面がありません。ページを保存してから印刷してください。"));
    return std::nullopt;
  }
  return Booklet{{{QFileInfo(path).completeBaseName(), path}}, {}, path};
}

// The sheets are A4 and drawn from the paper's corner, as in the PDF.
void prepare(QPrinter &printer, const Booklet &booklet) {
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                    QPageLayout::Portrait, QMarginsF()));
  printer.setFullPage(true);
  printer.setCreator(QStringLiteral("Varnel"));
  printer.setDocName(booklet.title.isEmpty() ? booklet.pages.first().title
                                             : booklet.title);
}

void reportErrors(Document &document, const QStringList &errors) {
  if (!errors.isEmpty())
    document.messages().error(errors.join(QLatin1Char('\n')));
}

void print(QWidget *window, Document &document,
           const std::function<void(QDialog &)> &runDialog) {
  const std::optional<Booklet> what = booklet(document);
  if (!what) return;
  QPrinter printer(QPrinter::HighResolution);
  prepare(printer, *what);
  QPrintDialog dialog(&printer, window);
  dialog.setWindowTitle(QStringLiteral("印刷"));
  // A sheet is not a page of the course: a range of sheets means little.
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  runDialog(dialog);
  if (dialog.result() != QDialog::Accepted) return;
  BusyCursor busy;
  QStringList errors;
  if (!pdf_booklet::print(what->pages, printer, what->title, errors))
    errors << QStringLiteral("印刷できませんでした。");
  reportErrors(document, errors);
}

void preview(QWidget *window, Document &document,
             const std::function<void(QDialog &)> &runDialog) {
  const std::optional<Booklet> what = booklet(document);
  if (!what) return;
  QPrinter printer(QPrinter::HighResolution);
  prepare(printer, *what);
  QPrintPreviewDialog dialog(&printer, window);
  dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
  // Pages that cannot be read say so on their sheets.
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&what](QPrinter *shown) {
                     QStringList errors;
                     pdf_booklet::print(what->pages, *shown, what->title,
                                        errors);
                   });
  runDialog(dialog);
}

void exportPdf(Document &document) {
  const std::optional<Booklet> what = booklet(document);
  if (!what) return;
  Messages::FileDialog dialog;
  dialog.title = QStringLiteral("PDFに書き出す");
  dialog.filter = QStringLiteral("PDF(*.pdf)|*.pdf|すべてのファイル(*.*)|*.*");
  dialog.defaultExtension = QStringLiteral("pdf");
  dialog.confirmOverwrite = true;
  const QFileInfo source(what->path);
  dialog.fileName = source.path() + QLatin1Char('/') +
                    source.completeBaseName() + QStringLiteral(".pdf");
  dialog.folder = document.session().currentFolder();
  const QString chosen = document.session().chooseFile(dialog, true);
  if (chosen.isEmpty()) return;
  BusyCursor busy;
  reportErrors(document, pdf_booklet::write(what->pages, chosen, what->title));
}

}  // namespace

void add(QMenu *menu, QWidget *window, Document &document,
         std::function<void(QDialog &)> runDialog) {
  QAction *printItem = menu->addAction(QStringLiteral("印刷..."));
  printItem->setObjectName(QStringLiteral("Print1"));
  QAction *previewItem = menu->addAction(QStringLiteral("印刷プレビュー..."));
  previewItem->setObjectName(QStringLiteral("PrintPreview1"));
  QAction *pdfItem = menu->addAction(QStringLiteral("PDFに書き出す..."));
  pdfItem->setObjectName(QStringLiteral("ExportPdf1"));
  QObject::connect(
      printItem, &QAction::triggered, window,
      [window, &document, runDialog] { print(window, document, runDialog); });
  QObject::connect(
      previewItem, &QAction::triggered, window,
      [window, &document, runDialog] { preview(window, document, runDialog); });
  QObject::connect(pdfItem, &QAction::triggered, window,
                   [&document] { exportPdf(document); });
}

}  // namespace print_commands
