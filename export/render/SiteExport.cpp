#include "export/render/SiteExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <future>
#include <numeric>
#include <thread>
#include <vector>

#include "base/core/Cp932.h"
#include "base/core/FileErrors.h"
#include "base/core/Report.h"
#include "base/core/WholeFile.h"
#include "export/core/SiteHtml.h"
#include "export/core/SiteManifest.h"
#include "export/core/SiteNames.h"
#include "export/core/SiteSound.h"
#include "export/core/StaffDescription.h"
#include "export/render/PdfBooklet.h"
#include "export/render/SiteFont.h"
#include "export/render/SitePageSvg.h"
#include "files/core/ContentsFile.h"
#include "files/core/CourseContents.h"
#include "files/core/PageFile.h"
#include "files/core/PathLookup.h"
#include "files/core/RegularFile.h"
#include "score/core/InputMarks.h"
#include "score/core/ScorePage.h"
#include "sound/core/RenderBounds.h"
#include "sound/core/SoundFonts.h"
#include "sound/core/SoundModule.h"
#include "sound/core/StandardMidiFile.h"

namespace site_export {
namespace {

// Where Debian puts the IPA Mincho font and its licence.
constexpr char SystemFont[] =
    "/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf";
constexpr char SystemFontLicence[] =
    "/usr/share/doc/fonts-ipafont-mincho/copyright";

struct PlannedPage {
  QString title;
  int indent = 0;
  QString path;
  QString stem;
};

struct Plan {
  QString title;
  QString note;
  QList<PlannedPage> pages;
  bool course = false;
  QString cut;  // the warning of a contents file read only up to its bounds
};

// The course printed, as --render prints it, beside the pages.
constexpr char BookletFile[] = "booklet.pdf";

bool hasSuffix(const QString &path, const char *suffix) {
  return QFileInfo(path).suffix().compare(QLatin1String(suffix),
                                          Qt::CaseInsensitive) == 0;
}

int indentOf(const QByteArray &entry) {
  int n = 0;
  while (n < entry.size() && quint8(entry[n]) <= 0x20) ++n;
  return n;
}

// The pages of a contents file in its order, or the one page.
bool plan(const QString &source, Plan &out, QString *error) {
  if (!regular_file::isRegular(source)) {
    *error = file_errors::notFound(source);
    return false;
  }
  if (!hasSuffix(source, "vrn")) {
    const QString name = QFileInfo(source).completeBaseName();
    out.title = name;
    out.pages.append({name, 0, source, site_names::pageStem(1, name)});
    return true;
  }
  CourseContents course;
  course.switchTo(source);
  QString unheld;
  if (!course.read(error, &unheld)) return false;
  if (course.ContentsEntries.isEmpty()) {
    *error = QStringLiteral("「%1」の目次にページがありません。")
                 .arg(QFileInfo(source).fileName());
    return false;
  }
  out.title = course.caption();
  out.note = cp932::toUnicode(course.ContentsNote);
  out.course = true;
  // Worded as the course check words it.
  if (course.UnreadFrom > 0)
    out.cut = QStringLiteral("%1: %2").arg(
        source, contentsCutMessage(source, course.UnreadFrom));
  for (int i = 0; i < course.ContentsEntries.size(); ++i) {
    const QByteArray &entry = course.ContentsEntries.at(i);
    const QString name = cp932::toUnicode(entryName(entry));
    out.pages.append({site_names::shownTitle(name), indentOf(entry),
                      course.pagePath(i), site_names::pageStem(i + 1, name)});
  }
  return true;
}

bool writeText(const QString &path, const QString &text, Outcome &outcome) {
  QString error;
  if (whole_file::write(path, text.toUtf8(), whole_file::InPlace::Never,
                        &error))
    return true;
  outcome.errors.append(error);
  return false;
}

// The subset of the font holding `characters`, with the licence and a note
// on the original beside it, as the font's licence asks of a changed font.
void writeFont(const QDir &folder, const QSet<char32_t> &characters,
               Outcome &outcome) {
  QList<char32_t> used(characters.cbegin(), characters.cend());
  std::sort(used.begin(), used.end());
  QString error;
  const auto subset = site_font::make(QLatin1String(SystemFont), used, &error);
  QFile licence{QLatin1String(SystemFontLicence)};
  if (!subset || !licence.open(QIODevice::ReadOnly)) {
    outcome.warnings.append(subset ? file_errors::notFound(licence.fileName())
                                   : error);
    return;
  }
  const QString note =
      QStringLiteral(
          "%1 (%2, %3)\n\n"
          "このフォントは IPAP明朝 (ipamp.ttf) から、このサイトが使う文字だけを"
          "取り出して名前を変えたものです。\n"
          "This font is IPAPMincho (ipamp.ttf) cut down to the characters "
          "this site uses, and renamed as its licence asks.\n\n"
          "元のフォント / The original: https://moji.or.jp/ipafont/ "
          "(Debian: fonts-ipafont-mincho)\n"
          "ライセンス / Licence: %4\n")
          .arg(QLatin1String(site_font::FamilyName),
               QLatin1String(site_names::FontWoff2File),
               QLatin1String(site_names::FontFile),
               QLatin1String(site_names::FontLicenceFile));
  const std::pair<const char *, QByteArray> files[] = {
      {site_names::FontWoff2File, subset->woff2},
      {site_names::FontFile, subset->trueType},
      {site_names::FontLicenceFile, licence.readAll()},
      {site_names::FontNoteFile, note.toUtf8()}};
  for (const auto &[name, bytes] : files) {
    if (!whole_file::write(folder.filePath(QLatin1String(name)), bytes,
                           whole_file::InPlace::Never, &error))
      outcome.errors.append(error);
  }
}

// Every character `html` shows, for the font's subset: its numeric
// references ("&#8594;") stand for characters too.
void noteCharacters(const QString &html, QSet<char32_t> &characters) {
  for (const char32_t c : html.toUcs4()) characters.insert(c);
  static const QRegularExpression reference(
      QStringLiteral("&#([xX]?)([0-9a-fA-F]+);"));
  for (const QRegularExpressionMatch &m : reference.globalMatch(html))
    characters.insert(
        m.captured(2).toUInt(nullptr, m.captured(1).isEmpty() ? 10 : 16));
}

// The page text as the text window shows it, lines ended by LF.
QString plainText(const QByteArray &pageText) {
  QString text = cp932::toUnicode(pageText);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

struct SoundJob {
  QString piecePath;            // empty: the page has no piece
  QString stem;                 // of the sound files
  std::promise<QString> error;  // empty when written
  std::future<QString> done = error.get_future();
};

// The pieces are rendered on every core while the pages are written: a
// course's sound is most of the work, and each piece is independent.
class SoundWorkers {
 public:
  SoundWorkers(const Plan &plan, const QDir &folder, const SoundMaker &maker)
      : folder_(folder), maker_(maker), jobs_(plan.pages.size()) {
    for (qsizetype i = 0; i < plan.pages.size(); ++i) {
      jobs_[i].piecePath =
          findSibling(plan.pages[i].path, QStringLiteral(".mid"));
      jobs_[i].stem = plan.pages[i].stem;
      if (!jobs_[i].piecePath.isEmpty()) ++pieces_;
    }
    // Longest first, by the size of its MIDI file, so that no long piece
    // is left to one core at the end while the others wait.
    order_.resize(jobs_.size());
    std::iota(order_.begin(), order_.end(), 0);
    std::stable_sort(order_.begin(), order_.end(),
                     [this](qsizetype a, qsizetype b) {
                       return QFileInfo(jobs_[a].piecePath).size() >
                              QFileInfo(jobs_[b].piecePath).size();
                     });
    if (!maker_) return;
    const int count = std::max(1, QThread::idealThreadCount());
    for (int t = 0; t < count; ++t) threads_.emplace_back([this] { work(); });
  }
  ~SoundWorkers() {
    // Stopped early, the pieces not begun are left; those begun finish.
    stop_ = true;
    for (std::thread &thread : threads_) thread.join();
  }
  SoundJob &job(int i) { return jobs_[i]; }
  // The pieces to make, and those made (or failed) so far.
  int pieces() const { return maker_ ? pieces_ : 0; }
  int finished() const { return finished_; }
  // Waits for the piece of page i, calling `waiting` meanwhile so that a
  // window stays answering; the error, or empty, or nothing when `waiting`
  // said to stop.
  std::optional<QString> result(int i, const std::function<bool()> &waiting) {
    std::future<QString> &done = jobs_[i].done;
    while (waiting && done.wait_for(std::chrono::milliseconds(50)) !=
                          std::future_status::ready)
      if (!waiting()) return std::nullopt;
    return done.get();
  }

 private:
  void work() {
    for (;;) {
      const qsizetype n = next_++;
      if (n >= qsizetype(order_.size()) || stop_) return;
      SoundJob &job = jobs_[order_[n]];
      QString error;
      if (!job.piecePath.isEmpty()) {
        const auto piece = standard_midi::read(job.piecePath, &error);
        if (piece &&
            maker_(piece->bytes, folder_.filePath(job.stem), &error, stop_))
          error.clear();
        ++finished_;
      }
      job.error.set_value(error);
    }
  }

  QDir folder_;
  const SoundMaker &maker_;
  std::vector<SoundJob> jobs_;
  std::vector<qsizetype> order_;  // the jobs in the order they are taken
  std::vector<std::thread> threads_;
  std::atomic<qsizetype> next_ = 0;
  std::atomic<bool> stop_ = false;
  int pieces_ = 0;
  std::atomic<int> finished_ = 0;
};

class Writer {
 public:
  Writer(const Plan &plan, const QDir &folder, const Options &options,
         Outcome &outcome)
      : plan_(plan),
        folder_(folder),
        options_(options),
        outcome_(outcome),
        sounds_(plan, folder, options.sound) {}

  // For the progress bar: every page, every piece and the booklet.
  int total() const { return int(plan_.pages.size()) + sounds_.pieces() + 1; }
  int done() const { return outcome_.pages + sounds_.finished(); }
  // Tells the progress; false, and the outcome says so, when told to stop.
  bool going(int done) {
    if (!outcome_.cancelled && options_.progress &&
        !options_.progress(done, total()))
      outcome_.cancelled = true;
    return !outcome_.cancelled;
  }

  bool page(int i) {
    const PlannedPage &planned = plan_.pages.at(i);
    site_html::Page view;
    view.courseTitle = plan_.title;
    view.title = planned.title;
    view.number = i + 1;
    view.count = int(plan_.pages.size());
    if (i > 0) view.previous = link(i - 1);
    if (i + 1 < plan_.pages.size()) view.next = link(i + 1);

    ScorePage score;
    const page_file::LoadResult loaded =
        regular_file::isRegular(planned.path)
            ? page_file::readInto(score, planned.path)
            : page_file::LoadResult{
                  page_file::LoadResult::Status::Failed, {}, {}};
    if (loaded.status != page_file::LoadResult::Status::Loaded) {
      QStringList said;
      for (const Report &report : loaded.reports) said.append(report.text);
      // The published page names the entry, never a folder of this machine.
      view.problem = said.isEmpty()
                         ? QStringLiteral("「%1」のページが見つかりません。")
                               .arg(planned.title)
                         : said.join(QLatin1Char('\n'));
      outcome_.errors.append(
          said.isEmpty() ? file_errors::notFound(planned.path) : view.problem);
    } else {
      std::optional<MarkStop> replay;
      view.paperSvg = site_page_svg::paper(score, &replay);
      if (replay) {
        view.problem = QStringLiteral("「%1」: '%2' は整数ではありません")
                           .arg(QFileInfo(planned.path).fileName(),
                                cp932::toUnicode(replay->text));
        outcome_.errors.append(view.problem);
      }
      view.text = plainText(loaded.pageText);
      view.paperDescription = staff_description::sentences(score);
      if (const QString piece = sound(i); !piece.isEmpty())
        for (const site_sound::Source &source : site_sound::sources(piece))
          view.audioFiles.append(source.file);
      if (outcome_.cancelled) return false;
    }
    const QString html = site_html::page(view);
    noteCharacters(html, characters_);
    if (!writeText(folder_.filePath(planned.stem + QStringLiteral(".html")),
                   html, outcome_))
      return false;
    ++outcome_.pages;
    return true;
  }

  bool booklet() {
    QList<pdf_booklet::Page> pages;
    for (const PlannedPage &page : plan_.pages)
      pages.append({page.title, page.path});
    const QStringList errors =
        pdf_booklet::write(pages, folder_.filePath(QLatin1String(BookletFile)),
                           plan_.course ? plan_.title : QString());
    // Its pages' problems are the site's and were said; what is left is
    // the booklet's own.
    if (outcome_.errors.isEmpty()) outcome_.errors.append(errors);
    return outcome_.errors.isEmpty();
  }

  bool index() {
    site_html::Index view{plan_.title, plan_.note, {}, {}};
    view.booklet = QLatin1String(BookletFile);
    for (const PlannedPage &page : plan_.pages) {
      view.entries.append({page.title.isEmpty() ? page.stem : page.title,
                           page.indent, page.stem + QStringLiteral(".html")});
    }
    // The font goes before the index, holding the index's characters too.
    const QString html = site_html::index(view);
    noteCharacters(html, characters_);
    writeFont(folder_, characters_, outcome_);
    if (!outcome_.errors.isEmpty()) return false;
    return writeText(folder_.filePath(QLatin1String(site_names::IndexFile)),
                     html, outcome_);
  }

 private:
  std::optional<site_html::Link> link(int i) const {
    const PlannedPage &page = plan_.pages.at(i);
    return site_html::Link{page.stem + QStringLiteral(".html"), page.title};
  }

  // The page's piece as sound beside it, made by the workers; its file
  // name, or empty.
  QString sound(int i) {
    SoundJob &job = sounds_.job(i);
    if (job.piecePath.isEmpty()) return {};
    if (!options_.sound) {
      if (!soundProblemSaid_ && !options_.soundProblem.isEmpty())
        outcome_.errors.append(options_.soundProblem);
      soundProblemSaid_ = true;
      return {};
    }
    const std::optional<QString> error =
        sounds_.result(i, [this] { return going(done()); });
    if (!error || !error->isEmpty()) {
      if (error) outcome_.errors.append(*error);
      return {};
    }
    return job.stem;
  }

  const Plan &plan_;
  QDir folder_;
  const Options &options_;
  Outcome &outcome_;
  SoundWorkers sounds_;
  bool soundProblemSaid_ = false;
  QSet<char32_t> characters_;  // what the pages show, for the font
};

// Every file of the site, from the style sheet to the index, the index
// only when all the rest was written.
void writeSite(const Plan &plan, const QDir &dir, const Options &options,
               Outcome &outcome) {
  if (!writeText(dir.filePath(QLatin1String(site_names::StyleFile)),
                 site_html::styleSheet(), outcome) ||
      !writeText(dir.filePath(QLatin1String(site_names::ScriptFile)),
                 site_html::keyScript(), outcome))
    return;
  // The index of an earlier export goes first: until every page is written
  // the folder holds no index that would present it as whole.
  const QString index = dir.filePath(QLatin1String(site_names::IndexFile));
  if (QFileInfo::exists(index) && !QFile::remove(index)) {
    outcome.errors.append(file_errors::cannotWrite(index, 0));
    return;
  }
  Writer writer(plan, dir, options, outcome);
  for (int i = 0; i < plan.pages.size(); ++i)
    if (!writer.going(writer.done()) || !writer.page(i)) return;
  if (!writer.going(writer.done()) || !writer.booklet()) return;
  if (writer.going(writer.total())) writer.index();
}

// The names the site is about to take, as far as they are known before.
QStringList expectedNames(const Plan &plan) {
  QStringList names;
  for (const char *name :
       {site_names::IndexFile, site_names::StyleFile, site_names::ScriptFile,
        site_names::FontFile, site_names::FontWoff2File,
        site_names::FontLicenceFile, site_names::FontNoteFile, BookletFile})
    names << QLatin1String(name);
  for (const PlannedPage &page : plan.pages)
    names << page.stem + QStringLiteral(".html")
          << page.stem + QStringLiteral(".mp3")
          << page.stem + QStringLiteral(".ogg");
  return names;
}

// A link where the site puts a file of its own is taken away, so that the
// file is written in its place and never through it to where it points.
void dropLinks(const QString &folder, const Plan &plan) {
  const QStringList names = expectedNames(plan);
  const QDir dir(folder);
  for (const QFileInfo &entry :
       dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System |
                         QDir::NoDotAndDotDot)) {
    if (!entry.isSymLink()) continue;
    const QString name = entry.fileName();
    bool ours = names.contains(name);
    for (const PlannedPage &page : plan.pages)
      ours = ours || name.startsWith(page.stem + QLatin1Char('.'));
    if (ours) site_manifest::remove(folder, {name});
  }
}

// After the run the list names what is the site now. A whole site drops
// what the last one had and this one has not; a stopped run takes back
// what it wrote; a failed one keeps both, for the next run to sort out.
void settle(const QString &folder, const Plan &plan, const QStringList &before,
            const site_manifest::Snapshot &snapshot, Outcome &outcome) {
  const QStringList written = snapshot.changed();
  QStringList kept;
  if (outcome.cancelled) {
    site_manifest::remove(folder, written);
    kept = before;
  } else if (outcome.ok()) {
    // A file of the last site that this one has too stays, even when this
    // run left it as it was.
    const QStringList expected = expectedNames(plan);
    QStringList site = written, stale;
    for (const QString &name : before)
      (expected.contains(name) || written.contains(name) ? site : stale)
          .append(name);
    site_manifest::remove(folder, stale);
    kept = site;
  } else {
    kept = before + written;
  }
  const QDir dir(folder);
  QStringList there;
  for (const QString &name : kept) {
    const QFileInfo info(dir.filePath(name));
    if ((info.exists() || info.isSymLink()) && !there.contains(name))
      there.append(name);
  }
  QString error;
  if (!site_manifest::write(folder, there, &error))
    outcome.errors.append(error);
}

}  // namespace

SoundMaker moduleSound(QString *problem) {
  const sound_module::Api *module = sound_module::load(problem);
  if (!module) return {};
  const QString soundFont = sound_fonts::best();
  if (soundFont.isEmpty()) {
    *problem = sound_fonts::missingMessage();
    return {};
  }
  return [module, soundFont](const QByteArray &piece, const QString &stemPath,
                             QString *error, const std::atomic<bool> &stop) {
    return module->renderForWeb(piece, soundFont, stemPath, error, &stop);
  };
}

Outcome write(const QString &source, const QString &folder,
              const Options &options) {
  Outcome outcome;
  Plan planned;
  QString error;
  if (!plan(source, planned, &error)) {
    outcome.errors.append(error);
    return outcome;
  }
  if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
    outcome.errors.append(
        QStringLiteral("フォルダ「%1」を作れません。").arg(folder));
    return outcome;
  }
  if (!options.force) outcome.foreign = site_manifest::foreign(folder);
  if (!outcome.foreign.isEmpty()) {
    outcome.errors.append(foreignMessage(folder, outcome.foreign));
    return outcome;
  }
  if (!planned.cut.isEmpty()) outcome.errors.append(planned.cut);
  const QStringList before = site_manifest::read(folder);
  const site_manifest::Snapshot snapshot(folder);
  dropLinks(folder, planned);
  // Until the new site is whole the list names both sites' files: a run
  // that dies halfway leaves nothing the next one takes for the user's.
  if (!site_manifest::write(folder, before + expectedNames(planned), &error)) {
    outcome.errors.append(error);
    return outcome;
  }
  writeSite(planned, QDir(folder), options, outcome);
  settle(folder, planned, before, snapshot, outcome);
  return outcome;
}

QString foreignMessage(const QString &folder, const QStringList &names) {
  constexpr int Shown = 5;
  QString listed = names.mid(0, Shown).join(QStringLiteral("、"));
  if (names.size() > Shown)
    listed += QStringLiteral(" ほか%1個").arg(names.size() - Shown);
  return QStringLiteral(
             "フォルダ「%1」には書き出しで作られたものではないファイルがあり"
             "ます（%2）。")
      .arg(folder, listed);
}

int runCommand(const QString &source, const QString &folder, bool force) {
  Options options;
  options.sound = moduleSound(&options.soundProblem);
  options.force = force;
  const Outcome outcome = write(source, folder, options);
  for (const QString &text : outcome.warnings + outcome.errors)
    std::fprintf(stderr, "%s\n", qPrintable(text));
  if (outcome.ok()) return 0;
  if (!outcome.foreign.isEmpty())
    std::fprintf(stderr, "%s\n",
                 qPrintable(QStringLiteral(
                     "それらを残し、同じ名前のものは上書きして書き出すには "
                     "--force を付けてください。")));
  std::fprintf(
      stderr, "%s\n",
      qPrintable(QStringLiteral("「%1」をWebページとして書き出せませんでした。")
                     .arg(source)));
  return 1;
}

}  // namespace site_export
