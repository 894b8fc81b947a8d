// The exported bundled course in a real browser: Chromium in headless mode
// opens the site from disk (and over HTTP) and is asked what a student
// would see and hear.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <memory>

#include "base/core/Cp932.h"
#include "files/core/ContentsFile.h"
#include "files/core/CourseContents.h"
#include "support/TestFiles.h"

namespace {

const QString Course = QStringLiteral(VARNEL_PROGRAM_FOLDER "Data/Varnel.vrn");

struct Finished {
  int status;
  QByteArray out;
  QByteArray err;
};

Finished run(const QString &program, const QStringList &arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(180000);
  return {
      process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
      process.readAllStandardOutput(), process.readAllStandardError()};
}

Finished varnel(const QStringList &arguments) {
  return run(QStringLiteral(VARNEL_EXECUTABLE), arguments);
}

// A standard MIDI file's length in seconds: its last event, through the
// tempo changes of every track.
double midiSeconds(const QByteArray &bytes) {
  const auto u16 = [&](qsizetype at) {
    return (quint8(bytes[at]) << 8) | quint8(bytes[at + 1]);
  };
  const auto u32 = [&](qsizetype at) {
    return (quint32(u16(at)) << 16) | u16(at + 2);
  };
  const int division = u16(12);
  QMap<qint64, qint64> tempos{{0, 500000}};  // tick -> microseconds per beat
  qint64 lastTick = 0;
  for (qsizetype at = 14; at + 8 <= bytes.size();) {
    const qsizetype end = at + 8 + u32(at + 4);
    qsizetype p = at + 8;
    qint64 tick = 0;
    quint8 status = 0;
    const auto number = [&] {
      qint64 value = 0;
      quint8 b;
      do {
        b = quint8(bytes[p++]);
        value = (value << 7) | (b & 0x7F);
      } while (b & 0x80);
      return value;
    };
    while (p < end) {
      tick += number();
      if (quint8(bytes[p]) & 0x80) status = quint8(bytes[p++]);
      if (status == 0xFF) {
        const quint8 type = quint8(bytes[p++]);
        const qint64 length = number();
        if (type == 0x51) tempos[tick] = (quint8(bytes[p]) << 16) | u16(p + 1);
        p += length;
        status = 0;
      } else if (status == 0xF0 || status == 0xF7) {
        p += number();
        status = 0;
      } else {
        p += (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
      }
      lastTick = std::max(lastTick, tick);
    }
    at = end;
  }
  double seconds = 0;
  qint64 tick = 0, tempo = 500000;
  for (auto it = tempos.begin(); it != tempos.end() && it.key() < lastTick;
       ++it) {
    seconds += double(it.key() - tick) * tempo / division / 1e6;
    tick = it.key();
    tempo = it.value();
  }
  return seconds + double(lastTick - tick) * tempo / division / 1e6;
}

struct Entry {
  QString title;
  QString pagePath;
};

QList<Entry> courseEntries() {
  CourseContents course;
  course.switchTo(Course);
  QString error, unheld;
  EXPECT_TRUE(course.read(&error, &unheld)) << error.toStdString();
  QList<Entry> entries;
  for (int i = 0; i < course.ContentsEntries.size(); ++i)
    entries.append({cp932::toUnicode(entryName(course.ContentsEntries[i])),
                    course.pagePath(i)});
  return entries;
}

class SiteInBrowser : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    chromium_ = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium_.isEmpty()) return;
    dir_ = std::make_unique<ScratchDir>();
    const Finished exported =
        varnel({QStringLiteral("--export-site"), Course, site()});
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
    // The pages in the index's order, as the index links them.
    const QString index =
        QString::fromUtf8(readBytes(site() + QStringLiteral("/index.html")));
    static const QRegularExpression link(
        QStringLiteral("<li[^>]*><a href=\"([^\"]+)\">"));
    for (const auto &match : link.globalMatch(index))
      pages_.append(match.captured(1));
  }
  static void TearDownTestSuite() { dir_.reset(); }

  void SetUp() override {
    if (chromium_.isEmpty())
      GTEST_SKIP()
          << "chromium is not installed (scripts/setup.sh installs it)";
    ASSERT_EQ(pages_.size(), courseEntries().size());
  }

  static QString site() { return dir_->path() + QStringLiteral("/site"); }
  static QString url(const QString &name) {
    return QStringLiteral("file://") + site() + '/' + name;
  }

  static QByteArray browser(QStringList arguments) {
    arguments.prepend(QStringLiteral("--user-data-dir=") + dir_->path() +
                      QStringLiteral("/profile"));
    arguments.prepend(QStringLiteral("--no-first-run"));
    arguments.prepend(QStringLiteral("--disable-gpu"));
    arguments.prepend(QStringLiteral("--no-sandbox"));
    arguments.prepend(QStringLiteral("--headless"));
    const Finished result = run(chromium_, arguments);
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    return result.out;
  }
  // The document as it stands once the page has loaded and its scripts
  // (and any navigation they start) have run.
  static QString dom(const QString &address) {
    return QString::fromUtf8(
        browser({QStringLiteral("--virtual-time-budget=5000"),
                 QStringLiteral("--dump-dom"), address}));
  }
  // A copy of a page beside it with a script of the test's own at its end.
  static QString probe(const QString &page, const QString &name,
                       const QString &script) {
    QString html = QString::fromUtf8(readBytes(site() + '/' + page));
    html.replace(QStringLiteral("</body>"),
                 QStringLiteral("<script>%1</script>\n</body>").arg(script));
    QFile file(site() + '/' + name);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(html.toUtf8());
    return url(name);
  }
  static QString heading(const QString &document) {
    static const QRegularExpression h1(QStringLiteral("<h1>(.*)</h1>"));
    return h1.match(document).captured(1);
  }

  static inline QString chromium_;
  static inline std::unique_ptr<ScratchDir> dir_;
  static inline QStringList pages_;
};

bool ink(QRgb pixel) { return qGray(pixel) < 128; }

TEST_F(SiteInBrowser, EveryPageShowsTheStaffPaperTheProgramDraws) {
  const QList<Entry> entries = courseEntries();
  static const QRegularExpression textAt(
      QStringLiteral("<text x=\"(-?\\d+)\" y=\"(-?\\d+)\">([^<]*)</text>"));
  for (int i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(entries[i].title.toStdString());
    const QString rendered = dir_->file(QStringLiteral("render%1.png").arg(i));
    ASSERT_EQ(
        varnel({QStringLiteral("--render"), entries[i].pagePath, rendered})
            .status,
        0);
    const QImage expected =
        QImage(rendered).convertToFormat(QImage::Format_RGB32);
    const QString shot = dir_->file(QStringLiteral("shot%1.png").arg(i));
    browser(
        {QStringLiteral("--hide-scrollbars"),
         QStringLiteral("--force-device-scale-factor=1"),
         QStringLiteral("--window-size=1400,%1").arg(expected.height() + 300),
         QStringLiteral("--screenshot=") + shot, url(pages_[i])});
    const QImage screen = QImage(shot).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(screen.isNull());

    // The paper is the first pure white on the page's tinted ground.
    QPoint origin(-1, -1);
    for (int y = 0; y < screen.height() && origin.y() < 0; ++y)
      for (int x = 0; x < screen.width(); ++x)
        if ((screen.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) {
          origin = {x, y};
          break;
        }
    ASSERT_GE(origin.x(), 0);
    ASSERT_LE(origin.x() + expected.width(), screen.width());
    ASSERT_LE(origin.y() + expected.height(), screen.height());

    // Texts may differ at the edges of their letters: their boxes are
    // looked at as a whole; everything else, pixel for pixel.
    const QString html = QString::fromUtf8(readBytes(site() + '/' + pages_[i]));
    QList<QRect> textBoxes;
    for (const auto &m : textAt.globalMatch(html)) {
      const int x = m.captured(1).toInt(), baseline = m.captured(2).toInt();
      textBoxes.append(
          QRect(x - 2, baseline - 14, 12 * m.captured(3).size() + 6, 20));
    }
    int exactMisses = 0, textMisses = 0, textInk = 0;
    QPoint firstMiss;
    for (int y = 0; y < expected.height(); ++y) {
      for (int x = 0; x < expected.width(); ++x) {
        const bool want = ink(expected.pixel(x, y));
        const bool got = ink(screen.pixel(origin.x() + x, origin.y() + y));
        const bool inText =
            std::any_of(textBoxes.begin(), textBoxes.end(),
                        [&](const QRect &r) { return r.contains(x, y); });
        if (inText) {
          textInk += want;
          textMisses += want != got;
        } else if (want != got && exactMisses++ == 0) {
          firstMiss = {x, y};
        }
      }
    }
    EXPECT_EQ(exactMisses, 0)
        << "first at " << firstMiss.x() << "," << firstMiss.y();
    EXPECT_LE(textMisses, textInk)
        << "the texts are not where the program puts them";
  }
}

TEST_F(SiteInBrowser, TheIndexListsEveryEntryInOrder) {
  const QString document = dom(url(QStringLiteral("index.html")));
  static const QRegularExpression link(
      QStringLiteral("<li[^>]*><a href=\"[^\"]+\">([^<]*)</a>"));
  QStringList shown;
  for (const auto &match : link.globalMatch(document))
    shown.append(match.captured(1));
  QStringList titles;
  for (const Entry &entry : courseEntries()) titles.append(entry.title);
  EXPECT_EQ(shown, titles);
  EXPECT_TRUE(document.contains(QStringLiteral("Varnel 楽譜の読み方入門")));
}

TEST_F(SiteInBrowser, TheNextLinkAndTheArrowKeysTurnThePage) {
  const QList<Entry> entries = courseEntries();
  const struct {
    int from;
    const char *script;
    int to;
  } turns[] = {
      {0,
       "addEventListener('load', () => "
       "document.querySelector('a[rel=next]').click());",
       1},
      {0,
       "addEventListener('load', () => document.dispatchEvent(new "
       "KeyboardEvent('keydown', {key: 'ArrowRight', bubbles: true})));",
       1},
      {2,
       "addEventListener('load', () => document.dispatchEvent(new "
       "KeyboardEvent('keydown', {key: 'ArrowLeft', bubbles: true})));",
       1},
      // The last page has no next page: the key leaves it where it is.
      {int(entries.size()) - 1,
       "addEventListener('load', () => document.dispatchEvent(new "
       "KeyboardEvent('keydown', {key: 'ArrowRight', bubbles: true})));",
       int(entries.size()) - 1},
  };
  int n = 0;
  for (const auto &turn : turns) {
    SCOPED_TRACE(turn.script);
    const QString address =
        probe(pages_[turn.from], QStringLiteral("probe-turn%1.html").arg(n++),
              QString::fromUtf8(turn.script));
    EXPECT_EQ(heading(dom(address)), entries[turn.to].title);
  }
}

// Asks the page's own audio element how long its sound is.
const char DurationProbe[] =
    "const audio = document.querySelector('audio');"
    "const say = () => document.body.setAttribute('data-duration', "
    "String(audio.duration));"
    "audio.addEventListener('loadedmetadata', say);"
    "if (audio.readyState >= 1) say();";

double shownDuration(const QString &document) {
  static const QRegularExpression duration(
      QStringLiteral("data-duration=\"([0-9.]+)\""));
  const auto match = duration.match(document);
  return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

TEST_F(SiteInBrowser, EachPiecePlaysAsLongAsItsMidiFile) {
  const QList<Entry> entries = courseEntries();
  int pieces = 0;
  for (int i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(entries[i].title.toStdString());
    const QString midi =
        entries[i].pagePath.chopped(4) + QStringLiteral(".mid");
    const bool hasPiece = QFileInfo::exists(midi);
    const QString html = QString::fromUtf8(readBytes(site() + '/' + pages_[i]));
    EXPECT_EQ(html.contains(QStringLiteral("<audio")), hasPiece);
    if (!hasPiece) continue;
    ++pieces;
    const double seconds = shownDuration(
        dom(probe(pages_[i], QStringLiteral("probe-sound%1.html").arg(i),
                  QString::fromUtf8(DurationProbe))));
    EXPECT_NEAR(seconds, midiSeconds(readBytes(midi)), 1.0);
  }
  EXPECT_GT(pieces, 0);
}

TEST_F(SiteInBrowser, TheSiteWorksFromAWebServer) {
  const QString python =
      QStandardPaths::findExecutable(QStringLiteral("python3"));
  if (python.isEmpty()) GTEST_SKIP() << "python3 is not installed";
  QProcess server;
  server.setProcessChannelMode(QProcess::MergedChannels);
  server.start(python, {QStringLiteral("-u"), QStringLiteral("-m"),
                        QStringLiteral("http.server"), QStringLiteral("0"),
                        QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                        QStringLiteral("--directory"), site()});
  static const QRegularExpression port(QStringLiteral("port (\\d+)"));
  QString said;
  while (!port.match(said).hasMatch() && server.waitForReadyRead(30000))
    said += QString::fromUtf8(server.readAll());
  const QString base =
      QStringLiteral("http://127.0.0.1:%1/").arg(port.match(said).captured(1));
  ASSERT_TRUE(port.match(said).hasMatch()) << said.toStdString();

  const QString index = dom(base + QStringLiteral("index.html"));
  EXPECT_EQ(index.count(QStringLiteral("<li style")), courseEntries().size());
  probe(pages_[0], QStringLiteral("probe-http.html"),
        QString::fromUtf8(DurationProbe));
  EXPECT_GT(shownDuration(dom(base + QStringLiteral("probe-http.html"))), 1.0);
  server.kill();
  server.waitForFinished();
}

TEST_F(SiteInBrowser, AHostilePageTextShowsAsText) {
  const QByteArray hostile =
      "<script>document.title='taken'</script> & \"quoted\" 'single' "
      "<b>bold</b>";
  const QString page = dir_->write(
      QStringLiteral("hostile.fum"),
      "Fum[x]\r\n~" + hostile +
          "|\r\n^1|2|300|<img src=x onerror=alert(1)>|40|20|\r\nEnd[x]\r\n");
  const QString out = dir_->path() + QStringLiteral("/hostile-site");
  const Finished exported =
      varnel({QStringLiteral("--export-site"), page, out});
  ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
  const QString document =
      dom(QStringLiteral("file://") + out + QStringLiteral("/index.html"));
  EXPECT_FALSE(document.contains(QStringLiteral("taken")) &&
               !document.contains(QStringLiteral("&lt;script&gt;")));
  QDir site(out);
  const QStringList pages = site.entryList({QStringLiteral("p*.html")});
  ASSERT_EQ(pages.size(), 1);
  const QString shown =
      dom(QStringLiteral("file://") + site.filePath(pages[0]));
  EXPECT_TRUE(shown.contains(
      QStringLiteral("&lt;script&gt;document.title='taken'&lt;/script&gt;")));
  EXPECT_TRUE(shown.contains(QStringLiteral("&lt;b&gt;bold&lt;/b&gt;")));
  EXPECT_TRUE(
      shown.contains(QStringLiteral("&lt;img src=x onerror=alert(1)&gt;")));
  EXPECT_FALSE(shown.contains(QStringLiteral("<title>taken")));
  EXPECT_EQ(shown.count(QStringLiteral("<script")), 1);  // the arrow keys' own
}

}  // namespace
