#include "export/render/Headless.h"

#include <QFileInfo>
#include <cstdio>
#include <optional>

#include "base/core/Cp932.h"
#include "base/core/FileErrors.h"
#include "export/core/ConsoleMessages.h"
#include "export/render/CourseCheck.h"
#include "export/render/ImageFile.h"
#include "export/render/PdfBooklet.h"
#include "export/render/SiteExport.h"
#include "files/core/ContentsDocument.h"
#include "files/core/ContentsFile.h"
#include "files/core/CourseContents.h"
#include "files/core/EntryCheck.h"
#include "files/core/PageFile.h"
#include "files/core/PageFormat.h"
#include "files/core/PathLookup.h"
#include "files/core/RegularFile.h"
#include "score/core/Decimal.h"
#include "score/core/ScorePage.h"
#include "score/core/TextEntry.h"
#include "score/render/Canvas.h"
#include "sound/core/RenderBounds.h"
#include "sound/core/SoundFonts.h"
#include "sound/core/SoundModule.h"
#include "sound/core/StandardMidiFile.h"

namespace headless {
namespace {

using command_line::Failure;
using command_line::Request;
using command_line::Success;

int check(const Request &request) {
  const QStringList problems = course_check::problems(request.arguments[0]);
  for (const QString &line : problems)
    std::printf("%s\n", line.toUtf8().constData());
  return problems.isEmpty() ? Success : Failure;
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
// False after a reported error; `cut` when the contents file was read only
// up to its bounds, which was said too.
bool bookletPages(const QString &path, QList<pdf_booklet::Page> &pages,
                  QString &courseTitle, bool &cut) {
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
  // Worded as the course check words it.
  cut = course.UnreadFrom > 0;
  if (cut)
    std::fprintf(stderr, "%s\n",
                 qPrintable(QStringLiteral("%1: %2").arg(
                     path, contentsCutMessage(path, course.UnreadFrom))));
  pages = pdf_booklet::coursePages(course);
  return true;
}

// A page or a whole course as a PDF booklet. Pages that cannot be printed
// get a sheet saying so, and the booklet is written all the same.
int renderBooklet(const QString &in, const QString &out) {
  QList<pdf_booklet::Page> pages;
  QString courseTitle;
  bool cut = false;
  if (!bookletPages(in, pages, courseTitle, cut)) return Failure;
  const QStringList errors = pdf_booklet::write(pages, out, courseTitle);
  for (const QString &error : errors)
    std::fprintf(stderr, "%s\n", error.toUtf8().constData());
  return errors.isEmpty() && !cut ? Success : Failure;
}

int render(const Request &request) {
  const QString &in = request.arguments[0];
  const QString &out = request.arguments[1];
  if (hasSuffix(out, "pdf")) return renderBooklet(in, out);
  ConsoleMessages messages;
  ScorePage page;
  QByteArray text;
  if (!readPage(in, page, text, messages)) return Failure;
  Canvas canvas;
  canvas.ResizeCanvas(page.StaffCount, page.StaffWidth);
  if (const auto error = canvas.ReplayInputs(page)) {
    messages.notAnInteger(cp932::toUnicode(error->text));
    return Failure;
  }
  // The picture's format follows the file name: BMP for ".bmp", else PNG.
  QString error;
  if (!image_file::write(canvas.image(), out,
                         hasSuffix(out, "bmp") ? "bmp" : "png", &error)) {
    messages.generalError(error);
    return Failure;
  }
  return Success;
}

// The line length as the window's setting takes it: a decimal number,
// brought into the range the page writer can wrap to, with a warning when
// it had to be.
std::optional<int> maxCharFrom(const Request &request,
                               ConsoleMessages &messages) {
  const QString typed = request.options.value(
      QStringLiteral("maxchar"), QString::number(page_format::DefaultMaxChar));
  const std::optional<int> value = parseDecimal(typed.trimmed().toUtf8());
  if (!value) {
    messages.notAnInteger(typed);
    return std::nullopt;
  }
  const int maxChar = page_format::clampMaxChar(*value);
  if (maxChar != *value)
    messages.warning(
        QStringLiteral("一行の文字数は %1～%2 です。%3 にしました。")
            .arg(page_format::MinMaxChar)
            .arg(page_format::MaxMaxChar)
            .arg(maxChar));
  return maxChar;
}

int resave(const Request &request) {
  ConsoleMessages messages;
  const std::optional<int> maxChar = maxCharFrom(request, messages);
  if (!maxChar) return Failure;
  const bool admin = request.options.contains(QStringLiteral("admin"));
  ScorePage page;
  QByteArray text;
  if (!readPage(request.arguments[0], page, text, messages)) return Failure;
  page.PagePath = request.arguments[1];
  const page_file::SaveResult result =
      page_file::save(page, text, *maxChar, admin);
  messages.report(result.reports);
  return result.status == page_file::SaveResult::Status::Written ? Success
                                                                 : Failure;
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

int renderAudio(const Request &request) {
  ConsoleMessages messages;
  const QString path = pieceFor(request.arguments[0], messages);
  if (path.isEmpty()) return Failure;
  QString error;
  if (const auto piece = standard_midi::read(path, &error)) {
    const sound_module::Api *module = sound_module::load(&error);
    const QString soundFont = module ? sound_fonts::best() : QString();
    bool cut = false;
    if (module && soundFont.isEmpty()) {
      error = sound_fonts::missingMessage();
    } else if (module &&
               module->renderToWav(piece->bytes, soundFont,
                                   request.arguments[1], &error, &cut)) {
      // What was written is the piece up to the bound, as documented: kept,
      // and said.
      if (cut) messages.warning(audio_render::cutMessage(path));
      return Success;
    }
  }
  messages.error(error);
  return Failure;
}

// A contents file made of page files in order, checked as the contents
// editor checks its entries; nothing is written when a page is refused.
int makeContents(const Request &request) {
  ConsoleMessages messages;
  const QString out = request.arguments[0];
  const QString folder = QFileInfo(out).absolutePath() + QLatin1Char('/');
  ContentsDocument contents =
      ContentsDocument::fromBytes({}, MaxContentsEntries);
  bool ok = true;
  for (const QString &option :
       {QStringLiteral("title"), QStringLiteral("note")}) {
    QByteArray bytes;
    QString unheld;
    if (!headLineText(request.options.value(option), &bytes, &unheld)) {
      messages.error(text_entry::unheldMessage(unheld));
      ok = false;
    } else {
      contents.apply(option == QLatin1String("title")
                         ? contents.setTitle(bytes)
                         : contents.setNote(bytes));
    }
  }
  for (const QString &page : request.arguments.mid(1)) {
    QString error;
    const QByteArray entry = entry_check::entryForPage(folder, page, &error);
    const entry_check::Problem problem =
        error.isEmpty() ? entry_check::problemOf(folder, entry)
                        : entry_check::Problem::None;
    if (problem != entry_check::Problem::None)
      error = QStringLiteral("%1: %2").arg(page, entry_check::reason(problem));
    if (!error.isEmpty()) {
      messages.error(error);
      ok = false;
      continue;
    }
    contents.apply(contents.insertEntry(-1, entry));
  }
  if (!ok) return Failure;
  QString error;
  if (!contents.write(out, &error)) {
    messages.error(error);
    return Failure;
  }
  return Success;
}

int exportSite(const Request &request) {
  return site_export::runCommand(
      request.arguments[0], request.arguments[1],
      request.options.contains(QStringLiteral("force")));
}

}  // namespace

const QList<command_line::Command> &commands() {
  static const QList<command_line::Command> table{
      {QStringLiteral("render"),
       {QStringLiteral("譜面|目次.vrn"), QStringLiteral("出力.png|.bmp|.pdf")},
       QStringLiteral("譜面を画像に、教材を印刷用のPDFにする"),
       {},
       render},
      {QStringLiteral("render-audio"),
       {QStringLiteral("譜面.fum|曲.mid"), QStringLiteral("出力.wav")},
       QStringLiteral("ページの曲をWAVにする"),
       {},
       renderAudio},
      {QStringLiteral("resave"),
       {QStringLiteral("譜面"), QStringLiteral("出力.fum")},
       QStringLiteral("譜面を書き直す"),
       {{QStringLiteral("maxchar"), QStringLiteral("N")},
        {QStringLiteral("admin"), QString()}},
       resave},
      {QStringLiteral("check"),
       {QStringLiteral("目次.vrn|譜面.fum")},
       QStringLiteral("教材を点検する"),
       {},
       check},
      {QStringLiteral("make-contents"),
       {QStringLiteral("出力.vrn"), QStringLiteral("譜面.fum")},
       QStringLiteral("譜面ファイルを順に並べた目次ファイルを作る"),
       {{QStringLiteral("title"), QStringLiteral("題名"), true},
        {QStringLiteral("note"), QStringLiteral("注記")}},
       makeContents,
       true},
      {QStringLiteral("export-site"),
       {QStringLiteral("目次.vrn|譜面.fum"), QStringLiteral("出力フォルダ")},
       QStringLiteral("教材をWebページとして書き出す"),
       {{QStringLiteral("force"), QString()}},
       exportSite},
  };
  return table;
}

void prepare() {
  // No window and no display: the offscreen platform draws the canvas.
  // Qt's own warnings still reach standard error beside the program's.
  qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace headless
