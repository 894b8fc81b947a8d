#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/core/CommandLine.h"
#include "app/core/SettingsFile.h"
#include "app/render/Headless.h"
#include "app/windows/FirstPaint.h"
#include "app/windows/MainWindow.h"
#include "app/windows/Program.h"
#include "app/windows/QtMessages.h"
#include "base/core/Cp932.h"
#include "score/render/PageFonts.h"
#include "sound/core/DeferredSequencer.h"

namespace {

constexpr int PrepareAnywayMilliseconds = 2000;

// The folder of the executable while the course data lies beside it (the
// build tree), else the installed data folder.
QString programFolder() {
  const QString beside = QCoreApplication::applicationDirPath();
  if (QFileInfo(beside + QStringLiteral("/Data")).isDir()) return beside + '/';
  return QDir::cleanPath(beside + QStringLiteral("/../share/varnel")) + '/';
}

}  // namespace

int main(int argc, char **argv) {
  // A file growing past the user's size limit fails its write with EFBIG,
  // which the save reports, instead of ending the program mid-save.
  std::signal(SIGXFSZ, SIG_IGN);
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // What only the command line answers needs no window and no display.
  if (command_line::isHelp(arguments)) {
    std::fputs(qPrintable(command_line::usage()), stdout);
    return 0;
  }
  if (command_line::isVersion(arguments)) {
    std::fputs(qPrintable(command_line::versionText()), stdout);
    return 0;
  }
  if (!headless::wanted(arguments) &&
      command_line::isUnknownOption(arguments, {})) {
    std::fprintf(
        stderr, "%s\n%s",
        qPrintable(
            QStringLiteral("不明なオプションです: %1").arg(arguments.first())),
        qPrintable(command_line::usage()));
    return 2;
  }
  if (headless::wanted(arguments)) {
    headless::prepare();
    QGuiApplication app(argc, argv);
    page_fonts::install();
    if (!cp932::available()) {
      std::fprintf(stderr, "%s\n", qPrintable(cp932::unavailableMessage()));
      return 1;
    }
    return headless::run(arguments);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnel"));
  page_fonts::install();
  QtMessages::installJapaneseQtTexts();
  QtMessages messages;
  if (!cp932::available()) {
    messages.error(cp932::unavailableMessage());
    return 1;
  }
  DeferredSequencer player;
  SettingsFile settings(SettingsFile::defaultPath());
  const MainWindow::Services services{
      messages,
      player,
      settings,
      programFolder(),
      QApplication::arguments().mid(1),
      [] { return QGuiApplication::primaryScreen()->size(); }};
  Program program(services);
  messages.setParentWindow(&program.main());
  program.main().show();
  // The sound module, the synthesizer and its SoundFont take longer to
  // load than the window takes to paint: they are prepared after it.
  afterFirstPaint(program.main(), [&player] {
    // Measured is the way to the first paint: the shut-down (the settings
    // written back) is no part of it.
    if (quitAfterFirstPaintWanted())
      std::_Exit(0);
    else
      player.prepareInBackground();
  });
  // A window that is never painted (started minimised) plays all the same.
  QTimer::singleShot(PrepareAnywayMilliseconds, &player,
                     [&player] { player.prepareInBackground(); });
  return app.exec();
}
