#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHashFunctions>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/core/SettingsFile.h"
#include "app/windows/FirstPaint.h"
#include "app/windows/MainWindow.h"
#include "app/windows/Program.h"
#include "app/windows/QtMessages.h"
#include "base/core/Cp932.h"
#include "export/core/CommandLine.h"
#include "export/render/Headless.h"
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
  using command_line::Parsed;
  const Parsed parsed = command_line::parse(arguments, headless::commands());
  switch (parsed.kind) {
    case Parsed::Kind::Help:
      std::fputs(qPrintable(command_line::usage(headless::commands())), stdout);
      return command_line::Success;
    case Parsed::Kind::Version:
      std::fputs(qPrintable(command_line::versionText()), stdout);
      return command_line::Success;
    case Parsed::Kind::Usage:
      std::fprintf(stderr, "%s\n%s", qPrintable(parsed.error),
                   qPrintable(command_line::usage(headless::commands())));
      return command_line::UsageError;
    case Parsed::Kind::Command: {
      headless::prepare();
      // What a command writes is the same bytes for the same input: the
      // PDF writer puts a booklet's fonts in the order of a hash.
      QHashSeed::setDeterministicGlobalSeed();
      QGuiApplication app(argc, argv);
      if (!cp932::available()) {
        std::fprintf(stderr, "%s\n", qPrintable(cp932::unavailableMessage()));
        return command_line::Failure;
      }
      return parsed.command->run(parsed.request);
    }
    case Parsed::Kind::Window:
      break;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnel"));
  QApplication::setFont(page_fonts::gothic12());
  QtMessages::installJapaneseQtTexts();
  QtMessages messages;
  if (!cp932::available()) {
    messages.error(cp932::unavailableMessage());
    return command_line::Failure;
  }
  DeferredSequencer player;
  SettingsFile settings(SettingsFile::defaultPath());
  const MainWindow::Services services{
      messages,     player,
      settings,     programFolder(),
      parsed.files, [] { return QGuiApplication::primaryScreen()->size(); }};
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
  const int status = app.exec();
  return status != 0 ? status : program.exitStatus();
}
