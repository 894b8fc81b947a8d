#include "export/render/CourseCheck.h"

#include <QFile>
#include <QFileInfo>

#include "base/core/Cp932.h"
#include "base/core/FileErrors.h"
#include "base/core/QuotedInput.h"
#include "base/core/Report.h"
#include "files/core/ContentsFile.h"
#include "files/core/CourseContents.h"
#include "files/core/EntryCheck.h"
#include "files/core/PageFile.h"
#include "files/core/PathLookup.h"
#include "files/core/RegularFile.h"
#include "score/core/ScorePage.h"
#include "score/render/Canvas.h"

namespace course_check {
namespace {

void checkPage(const QString &label, const QString &path, QStringList &out) {
  auto report = [&](const QString &message) {
    out << QStringLiteral("%1: %2").arg(label, message);
  };
  if (!regular_file::isRegular(path)) {
    report(QStringLiteral(
               "Vrnファイルに記述されたファイルが見つかりません。（%1）")
               .arg(path));
    return;
  }
  ScorePage page;
  page_file::LoadResult read = page_file::readInto(page, path);
  if (read.status == page_file::LoadResult::Status::Loaded &&
      read.reports.isEmpty()) {
    // The replay itself finds every number it cannot convert.
    Canvas canvas;
    canvas.ResizeCanvas(page.StaffCount, page.StaffWidth);
    if (const auto error = canvas.ReplayInputs(page))
      read.reports << Report::notAnInteger(cp932::toUnicode(error->text));
  }
  for (const Report &each : read.reports) report(each.line());
  if (!read.reports.isEmpty()) return;
  const QString midi = findSibling(path, QStringLiteral(".mid"));
  if (!midi.isEmpty() && !isStandardMidiFile(midi)) {
    report(QStringLiteral("%1 は標準MIDIファイルではありません。")
               .arg(QFileInfo(midi).fileName()));
  }
}

}  // namespace

bool isStandardMidiFile(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = file.read(14);
  return head.size() == 14 && head.startsWith("MThd") &&
         head.mid(4, 4) == QByteArray("\0\0\0\x06", 4) &&
         static_cast<unsigned char>(head[8]) == 0 && head[9] >= 0 &&
         head[9] <= 2;
}

QStringList problems(const QString &path) {
  QStringList out;
  if (!regular_file::isRegular(path)) {
    out << file_errors::notFound(path);
    return out;
  }
  if (!path.endsWith(QStringLiteral(".vrn"), Qt::CaseInsensitive)) {
    checkPage(QFileInfo(path).fileName(), path, out);
    return out;
  }
  CourseContents course;
  course.switchTo(path);
  QString error, unheld;
  if (!course.read(&error, &unheld)) {
    out << Report::stop(error).text;
    return out;
  }
  if (!unheld.isEmpty())
    out << QStringLiteral("%1: 扱えない文字があります: %2")
               .arg(path, quoted_input::head(unheld));
  if (course.UnreadFrom > 0)
    out << QStringLiteral("%1: %2").arg(
        path, contentsCutMessage(path, course.UnreadFrom));
  if (course.ContentsEntries.isEmpty())
    out << QStringLiteral("%1: 目次にページがありません。").arg(path);
  for (int i = 0; i < course.ContentsEntries.size(); ++i) {
    const QByteArray &entry = course.ContentsEntries.at(i);
    const QString label = cp932::toUnicode(entry);
    // A missing page is said by the page check, naming the path looked at.
    const entry_check::Problem problem =
        entry_check::problemOf(course.ContentsFolder, entry);
    if (problem == entry_check::Problem::NotCp932 ||
        problem == entry_check::Problem::OutsideFolder) {
      out << QStringLiteral("%1: %2").arg(label, entry_check::reason(problem));
      continue;
    }
    checkPage(label, course.pagePath(i), out);
  }
  return out;
}

}  // namespace course_check
