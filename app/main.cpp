#include <QApplication>

#include "app/core/PagePlayer.h"
#include "app/windows/MainWindow.h"
#include "app/windows/Program.h"
#include "app/windows/QtMessages.h"
#include "score/render/PageFonts.h"

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnel"));
  page_fonts::install();
  QtMessages messages;
  SilentPlayer player;
  Program program(messages, player);
  messages.setParentWindow(&program.main());
  program.main().NewPage();
  program.main().show();
  return app.exec();
}
