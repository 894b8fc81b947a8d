// The one symbol the program looks up in the windows module, and the run
// with windows it leads to.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <cstdlib>

#include "app/core/SettingsFile.h"
#include "app/core/WindowsModule.h"
#include "app/windows/FirstPaint.h"
#include "app/windows/MainWindow.h"
#include "app/windows/Program.h"
#include "app/windows/QtMessages.h"
#include "base/core/Cp932.h"
#include "export/core/CommandLine.h"
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

int run(int &argc, char **argv, const QStringList &files) {
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
      messages, player,
      settings, programFolder(),
      files,    [] { return QGuiApplication::primaryScreen()->size(); }};
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

const windows_module::Api api{windows_module::ApiVersion, run};

}  // namespace

extern "C" __attribute__((visibility("default"))) const void *
varnel_windows_module() {
  return &api;
}
