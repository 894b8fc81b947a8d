#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>

#include "files/core/PageFormat.h"
#include "support/TestFiles.h"

// The real program in a real X server, driven with real keys and mouse
// clicks through xdotool and seen through screenshots: the course on screen
// is the course on disk, an edit and a save write what the screen shows,
// closing asks about unsaved work, and two running copies share the
// clipboard. Screenshots of failures are kept in VARNEL_E2E_OUTPUT.

namespace {

const QString CourseTitle = QStringLiteral("Varnel 楽譜の読み方入門");

// Runs a program to its end; its standard output.
QString run(const QString &program, const QStringList &arguments,
            int *status = nullptr) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(20000)) process.kill();
  if (status)
    *status =
        process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString xdotool(const QStringList &arguments) {
  return run(QStringLiteral("xdotool"), arguments);
}

// Polls `ready` until it holds or `ms` have passed.
bool waitFor(const std::function<bool()> &ready, int ms = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!ready()) {
    if (clock.elapsed() > ms) return false;
    QThread::msleep(30);
  }
  return true;
}

QImage screenshot() {
  return QGuiApplication::primaryScreen()
      ->grabWindow(0)
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

// Where `needle` lies in `hay`, pixel for pixel.
std::optional<QPoint> find(const QImage &hay, const QImage &needle) {
  // Candidates are the places where the needle's first ink pixel matches.
  QPoint anchor(-1, -1);
  const QRgb paper = needle.pixel(0, 0);
  for (int y = 0; y < needle.height() && anchor.x() < 0; ++y)
    for (int x = 0; x < needle.width(); ++x)
      if (needle.pixel(x, y) != paper) {
        anchor = QPoint(x, y);
        break;
      }
  if (anchor.x() < 0) return std::nullopt;
  const QRgb ink = needle.pixel(anchor);
  for (int y = anchor.y(); y <= hay.height() - needle.height() + anchor.y();
       ++y) {
    const QRgb *row = reinterpret_cast<const QRgb *>(hay.constScanLine(y));
    for (int x = anchor.x(); x <= hay.width() - needle.width() + anchor.x();
         ++x) {
      if (row[x] != ink) continue;
      const QPoint origin(x - anchor.x(), y - anchor.y());
      bool same = true;
      for (int ny = 0; ny < needle.height() && same; ++ny) {
        const QRgb *a =
            reinterpret_cast<const QRgb *>(hay.constScanLine(origin.y() + ny)) +
            origin.x();
        const QRgb *b =
            reinterpret_cast<const QRgb *>(needle.constScanLine(ny));
        same = std::equal(b, b + needle.width(), a);
      }
      if (same) return origin;
    }
  }
  return std::nullopt;
}

// What `varnel --render` draws for a page.
QImage rendered(const QString &page, const QString &scratch) {
  const QString out = scratch + QStringLiteral("/render.png");
  QFile::remove(out);
  int status = -1;
  run(QStringLiteral(VARNEL_EXECUTABLE),
      {QStringLiteral("--render"), page, out}, &status);
  EXPECT_EQ(status, 0) << "--render " << page.toStdString();
  return QImage(out).convertToFormat(QImage::Format_RGB32);
}

// Keeps a picture of the screen (and of what was looked for) for a failed
// check, and names it.
std::string keep(const QString &what, const QImage &expected = QImage()) {
  const QString folder = QStringLiteral(VARNEL_E2E_OUTPUT);
  QDir().mkpath(folder);
  const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
  const QString stem = QStringLiteral("%1/%2-%3")
                           .arg(folder, QString::fromUtf8(test->name()), what);
  screenshot().save(stem + QStringLiteral("-screen.png"));
  if (!expected.isNull()) expected.save(stem + QStringLiteral("-expected.png"));
  std::cout << "screenshot kept: " << stem.toStdString() << "-screen.png"
            << std::endl;
  return "see " + stem.toStdString() + "-screen.png";
}

// The inputs of a page file, as "Content|X|Y".
QStringList inputsOf(const QString &path) {
  const page_format::DataFields fields = page_format::splitDataPayload(
      page_format::readPageBlock(readBytes(path)).dataPayload);
  QStringList out;
  for (int i = 0; i < fields.inputs.count(); ++i)
    out << QString::fromLatin1(fields.inputs.content(i).toByteArray() + '|' +
                               fields.inputs.x(i).toByteArray() + '|' +
                               fields.inputs.y(i).toByteArray());
  return out;
}

struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
};

// One running Varnel with a settings folder of its own.
class Varnel {
 public:
  Varnel(const QString &configFolder, const QStringList &arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    process_.start(QStringLiteral(VARNEL_EXECUTABLE), arguments);
    process_.waitForStarted();
  }
  ~Varnel() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished(5000);
    }
  }

  // The visible windows of the program, by X window id.
  QStringList windows() {
    return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                    QStringLiteral("--pid"),
                    QString::number(process_.processId())})
        .split('\n', Qt::SkipEmptyParts);
  }
  // The first visible window whose name matches, waiting for it a while.
  QString window(const QString &pattern, int ms = 8000) {
    const QRegularExpression name(pattern);
    QString found;
    waitFor(
        [&] {
          for (const QString &id : windows())
            if (name.match(nameOf(id)).hasMatch()) found = id;
          return !found.isEmpty();
        },
        ms);
    return found;
  }
  // A tool window shown beside the main window after `before` was taken.
  QString toolWindow(const QStringList &before, const QString &main) {
    const Geometry frame = geometry(main);
    QString found;
    waitFor([&] {
      for (const QString &id : windows())
        if (!before.contains(id) && geometry(id).x >= frame.x + frame.width)
          found = id;
      return !found.isEmpty();
    });
    return found;
  }
  static QString nameOf(const QString &id) {
    return xdotool({QStringLiteral("getwindowname"), id});
  }
  static Geometry geometry(const QString &id) {
    Geometry g;
    const QStringList lines = xdotool({QStringLiteral("getwindowgeometry"),
                                       QStringLiteral("--shell"), id})
                                  .split('\n');
    for (const QString &line : lines) {
      const int value = line.section('=', 1).toInt();
      if (line.startsWith(QStringLiteral("X="))) g.x = value;
      if (line.startsWith(QStringLiteral("Y="))) g.y = value;
      if (line.startsWith(QStringLiteral("WIDTH="))) g.width = value;
      if (line.startsWith(QStringLiteral("HEIGHT="))) g.height = value;
    }
    return g;
  }
  // Keys typed into a window, as xdotool names them.
  void keys(const QString &id, const QStringList &keys) {
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
    for (const QString &key : keys) {
      xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), key});
      QThread::msleep(60);
    }
  }
  // A menu item chosen with the keyboard: the menu's Alt key, then the
  // item's letter once the menu is open, within `ms`.
  bool menu(const QString &id, const QString &menuKey, const QString &item,
            int ms = 5000) {
    const int before = windows().size();
    keys(id, {QStringLiteral("alt+") + menuKey});
    if (!waitFor([&] { return windows().size() > before; }, ms)) return false;
    xdotool({QStringLiteral("key"), item});
    return true;
  }
  // The same with a click on the menu's title, for the tool windows, which
  // the keyboard does not reach without a window manager.
  bool menuAt(int x, int y, const QString &item) {
    const int before = windows().size();
    click(x, y);
    if (!waitFor([&] { return windows().size() > before; })) return false;
    xdotool({QStringLiteral("key"), item});
    return true;
  }
  static void click(int x, int y) {
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"),
             QString::number(x), QString::number(y)});
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
  }
  bool exited(int ms) {
    return process_.state() == QProcess::NotRunning ||
           process_.waitForFinished(ms);
  }
  int exitCode() const { return process_.exitCode(); }

 private:
  QProcess process_;
};

// A button of the rectangle window, by its row in the fixed client area
// under the window's menu bar: Copy is the second, Paste the third.
void rectangleButton(const QString &window, int row) {
  const Geometry g = Varnel::geometry(window);
  Varnel::click(g.x + 28, g.y + g.height - 89 + 8 + 16 * row);
}

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
      GTEST_SKIP() << "needs an X server: run under xvfb-run";
    ASSERT_FALSE(
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        << "xdotool is missing (scripts/setup.sh installs it)";
    // The bundled course, copied so that saves do not touch the original.
    ASSERT_EQ(
        run(QStringLiteral("cp"),
            {QStringLiteral("-r"), QStringLiteral(VARNEL_PROGRAM_FOLDER "Data"),
             scratch.file(QStringLiteral("course"))}),
        QString());
    course = scratch.file(QStringLiteral("course/"));
  }

  // A settings folder with the Executive option as given and the windows
  // where they do not cover each other: the main window at `left`, the
  // text window below it.
  QString config(const QString &name, bool executive, int left) {
    const QString folder = scratch.file(name);
    scratch.write(name + QStringLiteral("/Vrn32.ini"),
                  QStringLiteral("[Fum]\nExecutive=%1\n"
                                 "[MainForm]\nLeft=%2\nTop=0\nWidth=760\n"
                                 "Height=560\n"
                                 "[TextForm]\nLeft=%2\nTop=700\nWidth=500\n"
                                 "Height=136\n")
                      .arg(executive ? 1 : 0)
                      .arg(left)
                      .toUtf8());
    return folder;
  }
  QString page(const char *name) {
    return course + QString::fromUtf8(name) + QStringLiteral(".fum");
  }
  // Waits until the screen shows `page` as --render draws it; where.
  std::optional<QPoint> shown(const QImage &page, int ms = 5000) {
    std::optional<QPoint> at;
    waitFor([&] { return (at = find(screenshot(), page)).has_value(); }, ms);
    return at;
  }

  ScratchDir scratch;
  QString course;
};

}  // namespace

TEST_F(EndToEnd, TheCourseOnScreenIsTheCourseOnDisk) {
  QElapsedTimer clock;
  clock.start();
  Varnel varnel(config(QStringLiteral("reader"), false, 0),
                {course + QStringLiteral("Varnel.vrn")});
  const QString main = varnel.window(QStringLiteral("^Varnel "));
  ASSERT_FALSE(main.isEmpty()) << keep(QStringLiteral("no-window"));
  EXPECT_EQ(Varnel::nameOf(main), CourseTitle);
  const QImage first = rendered(page("はじめに"), scratch.path());
  const std::optional<QPoint> at = shown(first);
  ASSERT_TRUE(at) << keep(QStringLiteral("first-page"), first);
  std::cout << "first page on screen at " << at->x() << "," << at->y()
            << " after " << clock.elapsed() << " ms" << std::endl;

  // F12 goes forward through the contents, F11 back; the caption stays.
  const char *order[] = {"五線と加線", "音部記号", "ト音記号の音"};
  for (const char *name : order) {
    varnel.keys(main, {QStringLiteral("F12")});
    const QImage next = rendered(page(name), scratch.path());
    const std::optional<QPoint> there = shown(next);
    ASSERT_TRUE(there) << name << ": " << keep(QStringLiteral("forward"), next);
    EXPECT_EQ(*there, *at) << "the canvas moved";
    EXPECT_EQ(Varnel::nameOf(main), CourseTitle);
  }
  for (int back = 1; back >= 0; --back) {
    varnel.keys(main, {QStringLiteral("F11")});
    const QImage previous = rendered(page(order[back]), scratch.path());
    ASSERT_TRUE(shown(previous)) << keep(QStringLiteral("back"), previous);
    EXPECT_EQ(Varnel::nameOf(main), CourseTitle);
  }
  std::cout << "three pages forward and two back in " << clock.elapsed()
            << " ms" << std::endl;
}

TEST_F(EndToEnd, AStampAndASaveWriteWhatTheScreenShows) {
  const QString file = page("はじめに");
  const QStringList inputs = inputsOf(file);
  const QByteArray original = readBytes(file);
  Varnel varnel(config(QStringLiteral("editor"), true, 0), {file});
  const QString main = varnel.window(QStringLiteral("^はじめに.fum$"));
  ASSERT_FALSE(main.isEmpty()) << keep(QStringLiteral("no-window"));
  const std::optional<QPoint> at = shown(rendered(file, scratch.path()));
  ASSERT_TRUE(at) << keep(QStringLiteral("page"));

  // Note input from the View menu, the palette's quarter note, and a click
  // on the canvas: the note's head lands on the nearest line or space.
  const QStringList before = varnel.windows();
  ASSERT_TRUE(varnel.menu(main, QStringLiteral("v"), QStringLiteral("n")));
  ASSERT_FALSE(varnel.toolWindow(before, main).isEmpty())
      << keep(QStringLiteral("no-palette"));
  Varnel::click(at->x() + 300, at->y() + 41);
  ASSERT_TRUE(varnel.menu(main, QStringLiteral("f"), QStringLiteral("s")));
  ASSERT_TRUE(waitFor([&] { return readBytes(file) != original; }))
      << keep(QStringLiteral("not-saved"));
  EXPECT_EQ(inputsOf(file), inputs + QStringList{QStringLiteral("`14|300|40")});
  const QImage saved = rendered(file, scratch.path());
  EXPECT_EQ(shown(saved, 2000), at) << keep(QStringLiteral("saved"), saved);
}

TEST_F(EndToEnd, ClosingAModifiedPageAsksToSaveIt) {
  const QString file = page("はじめに");
  const QByteArray original = readBytes(file);
  Varnel varnel(config(QStringLiteral("editor"), true, 0), {file});
  const QString main = varnel.window(QStringLiteral("^はじめに.fum$"));
  ASSERT_FALSE(main.isEmpty()) << keep(QStringLiteral("no-window"));
  const std::optional<QPoint> at = shown(rendered(file, scratch.path()));
  ASSERT_TRUE(at) << keep(QStringLiteral("page"));
  const QStringList before = varnel.windows();
  ASSERT_TRUE(varnel.menu(main, QStringLiteral("v"), QStringLiteral("n")));
  ASSERT_FALSE(varnel.toolWindow(before, main).isEmpty())
      << keep(QStringLiteral("no-palette"));
  Varnel::click(at->x() + 200, at->y() + 60);

  // "Varnelの終了": the question comes in a box of its own; Cancel keeps
  // the program open, No lets the page go unsaved.
  ASSERT_TRUE(varnel.menu(main, QStringLiteral("f"), QStringLiteral("x")));
  QString box = varnel.window(QStringLiteral("^Varnel$"));
  ASSERT_FALSE(box.isEmpty()) << keep(QStringLiteral("no-question"));
  varnel.keys(box, {QStringLiteral("Escape")});
  EXPECT_TRUE(waitFor(
      [&] { return varnel.window(QStringLiteral("^Varnel$"), 0).isEmpty(); }));
  EXPECT_FALSE(varnel.exited(300)) << "Cancel closed the program";
  ASSERT_TRUE(varnel.menu(main, QStringLiteral("f"), QStringLiteral("x")));
  box = varnel.window(QStringLiteral("^Varnel$"));
  ASSERT_FALSE(box.isEmpty()) << keep(QStringLiteral("no-question-again"));
  varnel.keys(box, {QStringLiteral("n")});
  EXPECT_TRUE(varnel.exited(5000)) << keep(QStringLiteral("still-open"));
  EXPECT_EQ(readBytes(file), original);
}

// Settings that cannot be written at the close (the configuration folder
// is a plain file) are said in a box, and the program ends with status 1.
TEST_F(EndToEnd, UnwritableSettingsEndTheProgramWithStatus1) {
  Varnel varnel(scratch.write("config", "x"), {page("はじめに")});
  const QString main = varnel.window(QStringLiteral("^はじめに.fum$"));
  ASSERT_TRUE(varnel.menu(main, QStringLiteral("f"), QStringLiteral("x")));
  varnel.keys(varnel.window(QStringLiteral("^Varnel$")), {"Return"});
  ASSERT_TRUE(varnel.exited(5000)) << keep(QStringLiteral("still-open"));
  EXPECT_EQ(varnel.exitCode(), 1);
}

// The clipboard is the system's: a region copied in one running Varnel
// turns Paste on in another, which pastes it.
TEST_F(EndToEnd, ARegionCopiedInOneCopyPastesInAnother) {
  QElapsedTimer clock;
  clock.start();
  const QString from = page("はじめに");
  const QString to = scratch.write(QStringLiteral("empty.fum"),
                                   "Fum[empty]\r\n^1|2|610|\r\nEnd[empty]\r\n");
  Varnel one(config(QStringLiteral("one"), true, 0), {from});
  Varnel two(config(QStringLiteral("two"), true, 1200), {to});
  const QString main1 = one.window(QStringLiteral("^はじめに.fum$"));
  const QString main2 = two.window(QStringLiteral("^empty.fum$"));
  ASSERT_FALSE(main1.isEmpty() || main2.isEmpty())
      << keep(QStringLiteral("no-windows"));
  const QImage plain = rendered(from, scratch.path());
  ASSERT_TRUE(shown(plain)) << keep(QStringLiteral("page"), plain);

  // The rectangle windows: Paste is the third button, Copy the second, in
  // the fixed client area under the window's menu bar.
  ASSERT_TRUE(one.menu(main1, QStringLiteral("v"), QStringLiteral("r")));
  ASSERT_TRUE(two.menu(main2, QStringLiteral("v"), QStringLiteral("r")));
  const QString rect1 = one.window(QStringLiteral("^矩形編集$"));
  const QString rect2 = two.window(QStringLiteral("^矩形編集$"));
  ASSERT_FALSE(rect1.isEmpty() || rect2.isEmpty())
      << keep(QStringLiteral("no-rect-windows"));
  const auto button = rectangleButton;
  button(rect2, 2);  // nothing to paste yet
  const Geometry menuBar = Varnel::geometry(rect1);
  ASSERT_TRUE(one.menuAt(menuBar.x + 20, menuBar.y + 8, QStringLiteral("a")))
      << keep(QStringLiteral("no-rect-menu"));
  // Every input lies inside the page: all are selected and framed.
  ASSERT_TRUE(waitFor([&] { return !find(screenshot(), plain); }))
      << keep(QStringLiteral("no-frame"));
  button(rect1, 1);
  // Paste reads the other program's copy once the clipboard has told it.
  const bool pasted = waitFor([&] {
    button(rect2, 2);
    if (!two.menu(main2, QStringLiteral("f"), QStringLiteral("s")))
      return false;
    return waitFor([&] { return !inputsOf(to).isEmpty(); }, 1000);
  });
  ASSERT_TRUE(pasted) << keep(QStringLiteral("not-pasted"));
  EXPECT_EQ(inputsOf(to), inputsOf(from));
  std::cout << "copied and pasted between two programs in " << clock.elapsed()
            << " ms" << std::endl;
}

// Another program's large text on the clipboard, read by two running
// copies at once: both windows go on answering, and Paste follows the first
// line alone. The owner here (xclip) serves one reader at a time and lets
// the other's request go unheard.
TEST_F(EndToEnd, ALargeClipboardTextLeavesTheWindowAnswering) {
  ASSERT_FALSE(
      QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
      << "xclip is missing (scripts/setup.sh installs it)";
  const QString empty = scratch.write(
      QStringLiteral("empty.fum"), "Fum[empty]\r\n^1|2|610|\r\nEnd[empty]\r\n");
  Varnel one(config(QStringLiteral("one"), true, 0), {empty});
  Varnel two(config(QStringLiteral("two"), true, 1200), {empty});
  struct Copy {
    Varnel &varnel;
    QString main, rect;
  };
  Copy copies[] = {{one, {}, {}}, {two, {}, {}}};
  for (Copy &copy : copies) {
    copy.main = copy.varnel.window(QStringLiteral("^empty.fum$"));
    ASSERT_TRUE(
        copy.varnel.menu(copy.main, QStringLiteral("v"), QStringLiteral("r")));
    copy.rect = copy.varnel.window(QStringLiteral("^矩形編集$"));
    ASSERT_FALSE(copy.rect.isEmpty()) << keep(QStringLiteral("no-rect-window"));
  }
  // A million syllables (3 MB) that code page 932 lacks, with and without
  // the marker line: Paste names them, or does nothing.
  QString hangul;
  for (int i = 0; i < 1000000; ++i) hangul += QChar(0xAC00 + i % 11172);
  for (const QString &head : {QString(), QStringLiteral("%Fum%\r\n")}) {
    QProcess owner;  // holds the clipboard until it ends
    owner.start(
        QStringLiteral("xclip"),
        {QStringLiteral("-quiet"), QStringLiteral("-selection"),
         QStringLiteral("clipboard"), QStringLiteral("-i"),
         scratch.write(QStringLiteral("clip"), (head + hangul).toUtf8())});
    ASSERT_TRUE(owner.waitForStarted());
    // Both windows hear of the change at once and must open a menu within
    // a second whenever asked: a window that waits for the text does not.
    for (int probe = 0; probe < 3; ++probe) {
      QThread::msleep(300);
      for (Copy &copy : copies)
        ASSERT_TRUE(copy.varnel.menu(copy.main, QStringLiteral("f"),
                                     QStringLiteral("Escape"), 1000))
            << keep(QStringLiteral("frozen"));
    }
    for (Copy &copy : copies) {
      rectangleButton(copy.rect, 2);
      const QString box = copy.varnel.window(QStringLiteral("^Varnel$"),
                                             head.isEmpty() ? 2000 : 10000);
      EXPECT_EQ(box.isEmpty(), head.isEmpty()) << keep(QStringLiteral("paste"));
      if (!box.isEmpty()) copy.varnel.keys(box, {QStringLiteral("Return")});
    }
    owner.kill();
    owner.waitForFinished();
  }
}

int main(int argc, char **argv) {
  // The real X server, whatever the test run was told for the others.
  qputenv("QT_QPA_PLATFORM", "xcb");
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("DISPLAY")) return RUN_ALL_TESTS();
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
