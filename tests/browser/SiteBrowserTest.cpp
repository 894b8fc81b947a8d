// The exported bundled course in a real browser: headless Chromium opens
// the site from disk (and from a web server) and is asked what a student
// would see and hear.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <memory>
#include <vector>

#include "base/core/Cp932.h"
#include "export/core/SiteNames.h"
#include "files/core/ContentsFile.h"
#include "files/core/CourseContents.h"
#include "support/PieceLength.h"
#include "support/TestFiles.h"

using namespace Qt::StringLiterals;

namespace {

const QString Course = VARNEL_PROGRAM_FOLDER "Data/Varnel.vrn"_L1;

QByteArray run(const QString &program, const QStringList &arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(180000));
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().data();
  return process.readAllStandardOutput();
}

// Python's web server on a free port of this machine, serving a folder
// until the end of the test. It sends every file whole, never a range of it.
struct WebServer {
  explicit WebServer(const QString &folder) {
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(u"python3"_s,
                  {u"-u"_s, u"-m"_s, u"http.server"_s, u"0"_s, u"--bind"_s,
                   u"127.0.0.1"_s, u"--directory"_s, folder});
    static const QRegularExpression port(u"port (\\d+)"_s);
    while (!port.match(said).hasMatch() && process.waitForReadyRead(30000))
      said += QString::fromUtf8(process.readAll());
    if (const auto found = port.match(said); found.hasMatch())
      base = u"http://127.0.0.1:%1/"_s.arg(found.captured(1));
  }
  ~WebServer() {
    process.kill();
    process.waitForFinished();
  }
  QProcess process;
  QString said;  // what it printed while starting
  QString base;  // its address, or empty when it did not start
};

class SiteInBrowser : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    chromium_ = QStandardPaths::findExecutable(u"chromium"_s);
    if (chromium_.isEmpty()) return;
    dir_ = std::make_unique<ScratchDir>();
    run(VARNEL_EXECUTABLE, {u"--export-site"_s, Course, site()});
    CourseContents course;
    course.switchTo(Course);
    QString error, unheld;
    ASSERT_TRUE(course.read(&error, &unheld));
    // Each entry's title and page, and its page of the site as the index
    // links it.
    static const QRegularExpression link(uR"x(<li[^>]*><a href="([^"]+)">)x"_s);
    const QString index =
        QString::fromUtf8(readBytes(site() + "/index.html"_L1));
    for (const auto &match : link.globalMatch(index))
      pages_.append(match.captured(1));
    for (qsizetype i = 0; i < course.ContentsEntries.size(); ++i) {
      titles_.append(site_names::shownTitle(
          cp932::toUnicode(entryName(course.ContentsEntries[i]))));
      paths_.append(course.pagePath(i));
    }
  }
  static void TearDownTestSuite() { dir_.reset(); }
  void SetUp() override {
    if (chromium_.isEmpty())
      GTEST_SKIP()
          << "chromium is not installed (scripts/setup.sh installs it)";
    ASSERT_EQ(pages_.size(), titles_.size());
  }

  static QString site() { return dir_->path() + "/site"_L1; }
  static QString url(const QString &name) {
    return "file://"_L1 + site() + '/' + name;
  }
  // Chromium once for each list of arguments, two at a time (each in a
  // profile folder of its own, as two cannot share one), and what each
  // printed.
  static QList<QByteArray> browsers(const QList<QStringList> &runs) {
    constexpr qsizetype together = 2;
    QList<QByteArray> printed(runs.size());
    for (qsizetype first = 0; first < runs.size(); first += together) {
      const qsizetype end = std::min(runs.size(), first + together);
      std::vector<std::unique_ptr<QProcess>> processes;
      for (qsizetype i = first; i < end; ++i) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->start(
            chromium_,
            QStringList{u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s,
                        u"--no-first-run"_s,
                        u"--user-data-dir=%1/profile%2"_s.arg(dir_->path())
                            .arg(i - first)} +
                runs[i]);
      }
      for (qsizetype i = first; i < end; ++i) {
        QProcess &process = *processes[i - first];
        EXPECT_TRUE(process.waitForFinished(180000));
        EXPECT_EQ(process.exitCode(), 0)
            << process.readAllStandardError().data();
        printed[i] = process.readAllStandardOutput();
      }
    }
    return printed;
  }
  // The documents once the pages have loaded and their scripts (and any
  // navigation they start) have run.
  static QStringList doms(const QStringList &addresses) {
    QList<QStringList> runs;
    for (const QString &address : addresses)
      runs.append({u"--virtual-time-budget=5000"_s, u"--dump-dom"_s, address});
    QStringList documents;
    for (const QByteArray &printed : browsers(runs))
      documents.append(QString::fromUtf8(printed));
    return documents;
  }
  static QString dom(const QString &address) {
    return doms({address}).value(0);
  }
  // A copy of a page beside it with a script of the test's own at its end.
  static QString probe(int page, const QString &script) {
    QString html = QString::fromUtf8(readBytes(site() + '/' + pages_[page]));
    html.replace("</body>"_L1, "<script>"_L1 + script + "</script></body>"_L1);
    static int probes = 0;
    return url(QFileInfo(dir_->write(u"site/probe%1.html"_s.arg(++probes),
                                     html.toUtf8()))
                   .fileName());
  }
  static QString heading(const QString &document) {
    static const QRegularExpression h1(u"<h1>(.*)</h1>"_s);
    return h1.match(document).captured(1);
  }

  // The pages (paths in the site) on a phone, served with a strict
  // content security policy, through DevTools: what `expression` gave, the
  // console and the accessibility tree of each (see devtools.py).
  static QList<QJsonObject> devtools(const QStringList &pages,
                                     const QString &expression) {
    static int profiles = 0;
    const QByteArray printed =
        run(u"python3"_s,
            QStringList{VARNEL_SOURCE_FOLDER "/tests/browser/devtools.py"_L1,
                        chromium_, dir_->file(u"devtools%1"_s.arg(++profiles)),
                        expression, site(), u"default-src 'self'"_s} +
                pages);
    QList<QJsonObject> results;
    for (const QByteArray &line : printed.trimmed().split('\n'))
      results.append(QJsonDocument::fromJson(line).object());
    EXPECT_EQ(results.size(), pages.size());
    return results;
  }

  static inline QString chromium_;
  static inline std::unique_ptr<ScratchDir> dir_;
  static inline QStringList pages_, titles_, paths_;
};

TEST_F(SiteInBrowser, EveryPageShowsTheStaffPaperTheProgramDraws) {
  static const QRegularExpression textAt(
      uR"x(<text x="(-?\d+)" y="(-?\d+)">([^<]*)</text>)x"_s);
  const auto ink = [](QRgb pixel) { return qGray(pixel) < 128; };
  QList<QImage> wanted;
  QList<QStringList> screenshots;
  for (int i = 0; i < pages_.size(); ++i) {
    const QString rendered = dir_->file(u"render%1.png"_s.arg(i));
    run(VARNEL_EXECUTABLE, {u"--render"_s, paths_[i], rendered});
    wanted.append(QImage(rendered).convertToFormat(QImage::Format_RGB32));
    screenshots.append(
        {u"--hide-scrollbars"_s, u"--force-device-scale-factor=1"_s,
         u"--virtual-time-budget=5000"_s,
         u"--window-size=1400,%1"_s.arg(wanted[i].height() + 300),
         "--screenshot="_L1 + dir_->file(u"shot%1.png"_s.arg(i)),
         url(pages_[i])});
  }
  browsers(screenshots);
  for (int i = 0; i < pages_.size(); ++i) {
    SCOPED_TRACE(titles_[i].toStdString());
    const QImage &want = wanted[i];
    ASSERT_FALSE(want.isNull());
    const QImage got = QImage(dir_->file(u"shot%1.png"_s.arg(i)))
                           .convertToFormat(QImage::Format_RGB32);

    // The paper is the first pure white on the page's tinted ground.
    QPoint at(-1, -1);
    for (int y = 0; y < got.height() && at.y() < 0; ++y)
      for (int x = 0; x < got.width() && at.y() < 0; ++x)
        if ((got.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) at = {x, y};
    ASSERT_TRUE(got.rect().contains(QRect(at, want.size())));

    // Texts may differ at the edges of their letters and are looked at as
    // a whole; glyphs and lines, pixel for pixel.
    QList<QRect> texts;
    const QString html = QString::fromUtf8(readBytes(site() + '/' + pages_[i]));
    for (const auto &m : textAt.globalMatch(html))
      texts.append(QRect(m.captured(1).toInt() - 2, m.captured(2).toInt() - 14,
                         12 * m.captured(3).size() + 6, 20));
    int misses = 0, textMisses = 0, textInk = 0;
    for (int y = 0; y < want.height(); ++y) {
      for (int x = 0; x < want.width(); ++x) {
        const bool wanted = ink(want.pixel(x, y)),
                   shown = ink(got.pixel(at.x() + x, at.y() + y));
        if (std::none_of(texts.begin(), texts.end(),
                         [&](const QRect &r) { return r.contains(x, y); })) {
          misses += wanted != shown;
        } else {
          textInk += wanted;
          textMisses += wanted != shown;
        }
      }
    }
    EXPECT_EQ(misses, 0);
    EXPECT_LE(textMisses, textInk)
        << "the texts are not where the program puts them";
  }
}

TEST_F(SiteInBrowser, TheIndexListsEveryEntryInOrder) {
  static const QRegularExpression link(
      uR"x(<li[^>]*><a href="[^"]+">([^<]*)</a>)x"_s);
  QStringList shown;
  for (const auto &match : link.globalMatch(dom(url(u"index.html"_s))))
    shown.append(match.captured(1));
  EXPECT_EQ(shown, titles_);
}

TEST_F(SiteInBrowser, TheNextLinkTheArrowKeysAndASwipeTurnThePage) {
  const QString key =
      u"addEventListener('load', () => document.dispatchEvent("
      "new KeyboardEvent('keydown', {key: '%1', bubbles: true})));"_s;
  // A finger from one point to another.
  const QString swipe =
      u"addEventListener('load', () => {"
      "  const at = (x, y) => [new Touch({identifier: 1, target: "
      "document.body, clientX: x, clientY: y})];"
      "  document.body.dispatchEvent(new TouchEvent('touchstart', "
      "{touches: at(%1, %2), bubbles: true}));"
      "  document.body.dispatchEvent(new TouchEvent('touchend', "
      "{changedTouches: at(%3, %4), bubbles: true}));"
      "});"_s;
  const int last = int(pages_.size()) - 1;
  const struct {
    int from;
    QString script;
    int to;
  } turns[] = {
      {0,
       u"addEventListener('load', () => document.querySelector('a[rel=next]').click());"_s,
       1},
      {0, key.arg("ArrowRight"_L1), 1},
      {2, key.arg("ArrowLeft"_L1), 1},
      {last, key.arg("ArrowRight"_L1), last},  // no page after the last
      {0, swipe.arg(300).arg(400).arg(100).arg(420), 1},  // to the left
      {2, swipe.arg(100).arg(400).arg(300).arg(380), 1},
      {2, swipe.arg(200).arg(600).arg(260).arg(200), 2},  // a scroll
  };
  QStringList probes;
  for (const auto &turn : turns) probes.append(probe(turn.from, turn.script));
  const QStringList documents = doms(probes);
  for (qsizetype i = 0; i < std::ssize(turns); ++i)
    EXPECT_EQ(heading(documents[i]), titles_[turns[i].to])
        << turns[i].script.toStdString();
}

// Asks the page's own audio element how long its sound is.
const QString DurationProbe =
    u"const audio = document.querySelector('audio');"
    "const say = () => document.body.setAttribute('data-duration', "
    "audio.duration);"
    "audio.addEventListener('loadedmetadata', say);"
    "if (audio.readyState >= 1) say();"_s;

double duration(const QString &document) {
  static const QRegularExpression said(uR"x(data-duration="([0-9.]+)")x"_s);
  const auto match = said.match(document);
  return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

TEST_F(SiteInBrowser, EachPiecePlaysAsLongAsItsMidiFile) {
  QList<int> pieces;
  QStringList probes;
  for (int i = 0; i < pages_.size(); ++i) {
    SCOPED_TRACE(titles_[i].toStdString());
    const QString midi = paths_[i].chopped(4) + ".mid"_L1;
    EXPECT_EQ(readBytes(site() + '/' + pages_[i]).contains("<audio"),
              QFileInfo::exists(midi));
    if (!QFileInfo::exists(midi)) continue;
    pieces.append(i);
    probes.append(probe(i, DurationProbe));
  }
  const QStringList documents = doms(probes);
  for (qsizetype n = 0; n < pieces.size(); ++n) {
    const int i = pieces[n];
    SCOPED_TRACE(titles_[i].toStdString());
    EXPECT_NEAR(
        duration(documents[n]),
        piece_length::pieceSeconds(readBytes(paths_[i].chopped(4) + ".mid"_L1)),
        1.0);
  }
  EXPECT_FALSE(pieces.isEmpty());
}

TEST_F(SiteInBrowser, TheSiteWorksFromAWebServer) {
  WebServer server(site());
  ASSERT_FALSE(server.base.isEmpty()) << server.said.toStdString();
  const QString &base = server.base;

  const QString probed =
      QFileInfo(QUrl(probe(0, DurationProbe)).toLocalFile()).fileName();
  const QStringList documents = doms({base + "index.html"_L1, base + probed});
  EXPECT_EQ(documents[0].count("</li>"_L1), pages_.size());
  EXPECT_GT(duration(documents[1]), 1.0);
}

// On a phone of 390 x 844 at scale 3, no page scrolls sideways, the paper
// is scaled to the width and a tap shows it at full size in its own box,
// and the page bar's items stay whole. A screen reader meets the paper as
// one named picture described staff by staff (the description shown when
// its link is followed), not as fragments of its texts, and the player
// named after the piece. A strict content security policy holds.
TEST_F(SiteInBrowser, OnAPhoneEveryPageFitsAndTellsAScreenReaderWhatItShows) {
  const QString look =
      uR"js((() => {
    const d = document.documentElement, r = {};
    r.wide = d.scrollWidth > d.clientWidth || visualViewport.scale != 1;
    const items = [...document.querySelectorAll('nav.pager > *')]
        .filter(e => e.textContent).map(e => e.getBoundingClientRect().height);
    r.broken = items.some(h => h > 1.5 * Math.min(...items));
    const svg = document.querySelector('.paper svg');
    if (!svg) return r;
    r.staves = [...document.querySelectorAll('#staves li')]
        .map(li => li.textContent).join(' ');
    r.shown = document.getElementById('staves').offsetHeight > 0;
    r.texts = [...svg.querySelectorAll('text')].map(t => t.textContent);
    r.scaled = svg.getBoundingClientRect().right <= d.clientWidth &&
        svg.getAttribute('viewBox').startsWith('0 0 ');
    svg.parentNode.click();
    r.full = svg.getBoundingClientRect().width == svg.width.baseVal.value &&
        d.scrollWidth <= d.clientWidth;
    return r;
  })())js"_s;
  const QList<QJsonObject> results = devtools(
      QStringList(pages_) << pages_[0] + "#staves"_L1 << u"index.html"_s, look);
  for (qsizetype i = 0; i < results.size(); ++i) {
    SCOPED_TRACE(results[i]["url"_L1].toString().toStdString());
    const QJsonObject got = results[i]["value"_L1].toObject();
    EXPECT_FALSE(got["wide"_L1].toBool());
    EXPECT_FALSE(got["broken"_L1].toBool());
    for (const QJsonValue &said : results[i]["console"_L1].toArray())
      if (!said.toString().contains("favicon.ico"_L1))
        ADD_FAILURE() << said.toString().toStdString();
    if (i > pages_.size()) continue;  // the index has no paper
    const int page = int(i % pages_.size());
    EXPECT_TRUE(got["scaled"_L1].toBool() && got["full"_L1].toBool());
    EXPECT_EQ(got["shown"_L1].toBool(), i == pages_.size());
    const QString staves = got["staves"_L1].toString();
    EXPECT_TRUE(staves.startsWith(u"1段目："_s)) << staves.toStdString();
    const QJsonArray texts = got["texts"_L1].toArray();
    bool paper = false, player = false;
    for (const QJsonValue &value : results[i]["ax"_L1].toArray()) {
      const QJsonObject node = value.toObject();
      const QString role = node["role"_L1].toString(),
                    name = node["name"_L1].toString();
      if (role == "image"_L1 && name == u"五線譜「%1」"_s.arg(titles_[page])) {
        paper = true;
        EXPECT_EQ(node["description"_L1].toString(), staves);
      }
      player |=
          role == "Audio"_L1 && name == u"「%1」の曲"_s.arg(titles_[page]);
      EXPECT_FALSE(role == "StaticText"_L1 && texts.contains(name))
          << "a bare fragment of the paper: " << name.toStdString();
    }
    EXPECT_TRUE(paper);
    EXPECT_EQ(player, QFileInfo::exists(paths_[page].chopped(4) + ".mid"_L1));
  }
}

// The index marks the pages read and offers the last one.
TEST_F(SiteInBrowser, TheIndexRemembersThePagesRead) {
  const QString look =
      uR"js([...document.querySelectorAll(
      '.resume:not([hidden]) a, li.visited a')]
      .map(a => a.getAttribute('href')).join(' '))js"_s;
  const QList<QJsonObject> results =
      devtools({u"index.html"_s, pages_[4], pages_[2], u"index.html"_s}, look);
  ASSERT_EQ(results.size(), 4);
  EXPECT_EQ(results[0]["value"_L1].toString(), QString());
  EXPECT_EQ(results[3]["value"_L1].toString(),
            QStringList({pages_[2], pages_[2], pages_[4]}).join(' '));
}

// The length the page's player tells, then each of its sources' on its own.
const QString SourceLengthsProbe =
    u"const players = [document.querySelector('audio'), ...["
    "...document.querySelectorAll('audio source')].map(source => {"
    "  const audio = new Audio();"
    "  audio.preload = 'metadata';"
    "  audio.src = source.src;"
    "  return audio;"
    "})];"
    "Promise.all(players.map(audio => new Promise(told => {"
    "  const say = () => told(audio.duration);"
    "  if (audio.readyState >= 1) say();"
    "  audio.addEventListener('loadedmetadata', say);"
    "  audio.addEventListener('error', () => told(-1));"
    "}))).then(seconds => "
    "document.body.setAttribute('data-lengths', seconds.join(' ')));"_s;

// A server without byte ranges is where a player shows a wrong length and
// cannot seek. The MP3 source comes first, so the player takes it, and it
// tells its length from its first bytes. Chromium cannot tell an Ogg
// stream's length without ranges until it has played it through, so the
// Ogg source is measured from disk.
TEST_F(SiteInBrowser, EveryPieceIsAsLongAsItsMidiFileFromAServerWithoutRanges) {
  WebServer server(site());
  ASSERT_FALSE(server.base.isEmpty()) << server.said.toStdString();
  const QString &base = server.base;

  QList<int> pieces;
  QStringList served, fromDisk;
  for (int i = 0; i < pages_.size(); ++i) {
    if (!QFileInfo::exists(paths_[i].chopped(4) + ".mid"_L1)) continue;
    pieces.append(i);
    fromDisk.append(probe(i, SourceLengthsProbe));
    served.append(base +
                  QFileInfo(QUrl(fromDisk.last()).toLocalFile()).fileName());
  }
  const QStringList documents = doms(served + fromDisk);
  static const QRegularExpression lengths(uR"x(data-lengths="([^"]*)")x"_s);
  const auto told = [&](qsizetype run) {
    return lengths.match(documents[run]).captured(1).split(' ');
  };
  for (qsizetype n = 0; n < pieces.size(); ++n) {
    const int i = pieces[n];
    SCOPED_TRACE(titles_[i].toStdString());
    const double midi =
        piece_length::pieceSeconds(readBytes(paths_[i].chopped(4) + ".mid"_L1));
    // The player, its MP3 source and its Ogg source.
    const QStringList overHttp = told(n), onDisk = told(pieces.size() + n);
    ASSERT_EQ(overHttp.size(), 3);
    ASSERT_EQ(onDisk.size(), 3);
    for (const QString &length :
         {overHttp[0], overHttp[1], onDisk[1], onDisk[2]})
      EXPECT_NEAR(length.toDouble(), midi, 0.5) << length.toStdString();
  }
  EXPECT_FALSE(pieces.isEmpty());
}

}  // namespace
