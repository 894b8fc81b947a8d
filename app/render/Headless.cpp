#include "app/render/Headless.h"

#include <QFileInfo>
#include <cstdio>

#include "app/render/ConsoleMessages.h"
#include "app/render/CourseCheck.h"
#include "app/render/ImageFile.h"
#include "app/render/PdfBooklet.h"
#include "base/core/Cp932.h"
#include "base/core/FileErrors.h"
#include "export/render/SiteExport.h"
#include "files/core/ContentsFile.h"
#include "files/core/CourseContents.h"
#include "files/core/PageFile.h"
#include "files/core/PathLookup.h"
#include "files/core/RegularFile.h"
#include "score/core/ScorePage.h"
#include "score/render/Canvas.h"
#include "sound/core/RenderBounds.h"
#include "sound/core/SoundFonts.h"
#include "sound/core/SoundModule.h"
#include "sound/core/StandardMidiFile.h"

namespace headless {
namespace {

int usage() {
  std::fprintf(stderr,
               "usage: varnel --render PAGE OUT.png|OUT.bmp|OUT.pdf\n"
               "       varnel --render CONTENTS.vrn OUT.pdf\n"
               "       varnel --resave PAGE OUT.fum [--maxchar N] [--admin]\n"
               "       varnel --check CONTENTS.vrn|PAGE.fum\n"
               "       varnel --render-audio PAGE.fum|PIECE.mid OUT.wav\n"
               "       varnel --export-site CONTENTS.vrn|PAGE.fum OUTDIR\n");
  return 2;
}

int check(const QStringList &args) {
  if (args.size() != 2) return usage();
  const QStringList problems = course_check::problems(args[1]);
  for (const QString &line : problems)
    std::printf("%s\n", line.toUtf8().constData());
  return problems.isEmpty() ? 0 : 1;
}

// Reads a page as the program's reader does; false after a reported error.
bool readPage(const QString &path, ScorePage &page, QByteArray &pageText,
              ConsoleMessages &messages) {
  if (!regular_file::isRegular(path)) {
    messages.error(file_errors::notFound(path));
    return false;
  }
  const page_file::LoadResult result = page_file::readInto(page, path);
  messages.report(result.reports);
  if (result.status != page_file::LoadResult::Status::Loaded) return false;
  pageText = result.pageText;
  return !anyFailure(result.reports);
}

bool hasSuffix(const QString &path, const char *suffix) {
  return QFileInfo(path).suffix().compare(QLatin1String(suffix),
                                          Qt::CaseInsensitive) == 0;
}

// The booklet's pages: every entry of a contents file, titled as listed
// without its indentation, or the one page, titled by its file name.
// False after a reported error.
bool bookletPages(const QString &path, QList<pdf_booklet::Page> &pages,
                  QString &courseTitle) {
  if (!hasSuffix(path, "vrn")) {
    pages.append({QFileInfo(path).completeBaseName(), path});
    return true;
  }
  ConsoleMessages messages;
  if (!regular_file::isRegular(path)) {
    messages.error(file_errors::notFound(path));
    return false;
  }
  CourseContents course;
  course.switchTo(path);
  QString error, unheld;
  if (!course.read(&error, &unheld)) {
    messages.generalError(error);
    return false;
  }
  if (course.ContentsEntries.isEmpty()) {
    messages.error(QStringLiteral("目次にページがありません。"));
    return false;
  }
  courseTitle = course.caption();
  for (int i = 0; i < course.ContentsEntries.size(); ++i) {
    pages.append({cp932::toUnicode(entryName(course.ContentsEntries.at(i))),
                  course.pagePath(i)});
  }
  return true;
}

// A page or a whole course as a PDF booklet. Pages that cannot be printed
// get a sheet saying so, and the booklet is written all the same.
int renderBooklet(const QStringList &args) {
  QList<pdf_booklet::Page> pages;
  QString courseTitle;
  if (!bookletPages(args[1], pages, courseTitle)) return 1;
  const QStringList errors = pdf_booklet::write(pages, args[2], courseTitle);
  for (const QString &error : errors)
    std::fprintf(stderr, "%s\n", error.toUtf8().constData());
  return errors.isEmpty() ? 0 : 1;
}

int render(const QStringList &args) {
  if (args.size() != 3) return usage();
  if (hasSuffix(args[2], "pdf")) return renderBooklet(args);
  ConsoleMessages messages;
  ScorePage page;
  QByteArray text;
  if (!readPage(args[1], page, text, messages)) return 1;
  Canvas canvas;
  canvas.ResizeCanvas(page.StaffCount, page.StaffWidth);
  if (const auto error = canvas.ReplayInputs(page)) {
    messages.notAnInteger(cp932::toUnicode(error->text));
    return 1;
  }
  // The picture's format follows the file name: BMP for ".bmp", else PNG.
  QString error;
  if (!image_file::write(canvas.image(), args[2],
                         hasSuffix(args[2], "bmp") ? "bmp" : "png", &error)) {
    messages.generalError(error);
    return 1;
  }
  return 0;
}

int resave(const QStringList &args) {
  if (args.size() < 3) return usage();
  int maxChar = 79;
  bool admin = false;
  for (int i = 3; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--admin")) {
      admin = true;
    } else if (args[i] == QStringLiteral("--maxchar") && i + 1 < args.size()) {
      bool ok = false;
      maxChar = args[++i].toInt(&ok);
      if (!ok) {
        ConsoleMessages().notAnInteger(args[i]);
        return 1;
      }
    } else {
      return usage();
    }
  }
  ConsoleMessages messages;
  ScorePage page;
  QByteArray text;
  if (!readPage(args[1], page, text, messages)) return 1;
  page.PagePath = args[2];
  const page_file::SaveResult result =
      page_file::save(page, text, maxChar, admin);
  messages.report(result.reports);
  return result.status == page_file::SaveResult::Status::Written ? 0 : 1;
}

// The piece to play: the file itself when it is a MIDI file, else the MIDI
// file beside the page, found as the reader finds it.
QString pieceFor(const QString &path, ConsoleMessages &messages) {
  if (!regular_file::isRegular(path)) {
    messages.error(file_errors::notFound(path));
    return {};
  }
  if (QFileInfo(path).suffix().compare(QStringLiteral("mid"),
                                       Qt::CaseInsensitive) == 0)
    return path;
  const QString piece = findSibling(path, QStringLiteral(".mid"));
  if (piece.isEmpty()) {
    messages.error(QStringLiteral("「%1」には曲（MIDIファイル）がありません。")
                       .arg(QFileInfo(path).fileName()));
  }
  return piece;
}

int renderAudio(const QStringList &args) {
  if (args.size() != 3) return usage();
  ConsoleMessages messages;
  const QString path = pieceFor(args[1], messages);
  if (path.isEmpty()) return 1;
  QString error;
  if (const auto piece = standard_midi::read(path, &error)) {
    const sound_module::Api *module = sound_module::load(&error);
    const QString soundFont = module ? sound_fonts::best() : QString();
    bool cut = false;
    if (module && soundFont.isEmpty()) {
      error = sound_fonts::missingMessage();
    } else if (module && module->renderToWav(piece->bytes, soundFont, args[2],
                                             &error, &cut)) {
      // What was written is the piece up to the bound, as documented: kept,
      // and said.
      if (cut) messages.warning(audio_render::cutMessage(path));
      return 0;
    }
  }
  messages.error(error);
  return 1;
}

}  // namespace

bool wanted(const QStringList &arguments) {
  return !arguments.isEmpty() &&
         (arguments.first() == QStringLiteral("--render") ||
          arguments.first() == QStringLiteral("--resave") ||
          arguments.first() == QStringLiteral("--check") ||
          arguments.first() == QStringLiteral("--render-audio") ||
          arguments.first() == QStringLiteral("--export-site"));
}

void prepare() {
  // No window and no display: the offscreen platform draws the canvas, and
  // only the program's own messages reach the console.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext &, const QString &) {});
}

int run(const QStringList &arguments) {
  if (arguments.first() == QStringLiteral("--render")) return render(arguments);
  if (arguments.first() == QStringLiteral("--check")) return check(arguments);
  if (arguments.first() == QStringLiteral("--render-audio"))
    return renderAudio(arguments);
  if (arguments.first() == QStringLiteral("--export-site"))
    return arguments.size() == 3
               ? site_export::runCommand(arguments[1], arguments[2])
               : usage();
  return resave(arguments);
}

}  // namespace headless
