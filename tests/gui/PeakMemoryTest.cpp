// Whatever a page or the settings hold, the program's memory stays within a
// few times what it was given. Peak resident sizes come from the kernel.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QThread>
#include <vector>

#include "support/TestFiles.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VARNEL_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VARNEL_SANITIZED 1
#endif

namespace {

constexpr long MiB = 1024;  // in the kernel's KiB

// The highest resident size the kernel has seen for a running process.
long highWaterMark(pid_t pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().toLong();
  return -1;
}

// Runs the real program offscreen with its settings in `config`, quitting
// at its first paint; a window that stops at a message instead is measured
// once its peak has stayed put for a second, and then ended. A command runs
// to its end, however slowly a busy machine lets it. KiB.
long peakOf(const QStringList &arguments, const QString &config) {
  std::vector<QByteArray> words{VARNEL_EXECUTABLE};
  for (const QString &each : arguments) words.push_back(each.toLocal8Bit());
  std::vector<char *> argv;
  for (QByteArray &word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const QByteArray home = config.toLocal8Bit();
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("VARNEL_QUIT_AFTER_FIRST_PAINT", "1", 1);
    setenv("HOME", home.constData(), 1);
    setenv("XDG_CONFIG_HOME", home.constData(), 1);
    execv(argv[0], argv.data());
    _exit(127);
  }
  const bool command = arguments.value(0).startsWith(QLatin1String("--"));
  long last = -1;
  for (int still = 0, round = 0; still < 10 && round < 600; ++round) {
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, WNOHANG, &usage) == pid) return usage.ru_maxrss;
    const long now = highWaterMark(pid);
    still = now == last && !command ? still + 1 : 0;
    last = now;
    QThread::msleep(100);
  }
  kill(pid, SIGKILL);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  return usage.ru_maxrss;
}

// A page of `inputs` glyphs and short texts over 32 staves.
QByteArray crowdedPage(int inputs) {
  QByteArray data = "1|32|1280|";
  for (int i = 0; i < inputs; ++i) {
    data +=
        i % 10 == 9 ? QByteArray("Allegro") : '`' + QByteArray::number(i % 41);
    data += '|' + QByteArray::number(24 + i * 37 % 1232) + '|' +
            QByteArray::number(16 + i * 4 % 2048) + '|';
  }
  QByteArray page = "Fum[crowded]\r\n";
  for (qsizetype at = 0; at < data.size(); at += 77)
    page += '^' + data.mid(at, 77) + "\r\n";
  return page + "End[crowded]\r\n";
}

}  // namespace

TEST(PeakMemory, StaysWithinAFewTimesWhatTheProgramIsGiven) {
#ifdef VARNEL_SANITIZED
  GTEST_SKIP() << "the sanitizers hold memory of their own";
#endif
  ScratchDir dir;
  const QString plain = dir.file(QStringLiteral("plain"));
  const QString large = dir.file(QStringLiteral("large"));
  ASSERT_TRUE(QDir().mkpath(plain) && QDir().mkpath(large));
  constexpr int TenMiB = 10 << 20;
  // Ten MiB of blank settings lines, and of short page-text lines.
  dir.write(QStringLiteral("large/Vrn32.ini"), QByteArray(TenMiB, '\n'));
  QByteArray longText = "Fum[long]\r\n";
  while (longText.size() < TenMiB) longText += "~short line of text|\r\n";
  const QString longPage =
      dir.write(QStringLiteral("long.fum"), longText + "^1|4|610|\r\n");
  const QString first = QStringLiteral(VARNEL_PROGRAM_FOLDER "Data/") +
                        QStringLiteral("はじめに.fum");

  const long start = peakOf({first}, plain);
  ASSERT_GT(start, 0);
  const long withLongText = peakOf({longPage}, plain);
  EXPECT_LT(withLongText, start + 3 * 10 * MiB)
      << withLongText << " KiB against " << start;
  const long withLargeSettings = peakOf({first}, large);
  EXPECT_LT(withLargeSettings, start + 3 * 10 * MiB)
      << withLargeSettings << " KiB against " << start;

  // The booklet of a crowded page against its picture.
  const QString crowded =
      dir.write(QStringLiteral("crowded.fum"), crowdedPage(100000));
  const long picture = peakOf(
      {QStringLiteral("--render"), crowded, dir.file("crowded.png")}, plain);
  const long booklet = peakOf(
      {QStringLiteral("--render"), crowded, dir.file("crowded.pdf")}, plain);
  EXPECT_TRUE(QFile::exists(dir.file("crowded.pdf")));
  EXPECT_LT(booklet, 3 * picture) << booklet << " KiB against " << picture;
}
