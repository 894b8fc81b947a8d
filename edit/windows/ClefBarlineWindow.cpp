#include "edit/windows/ClefBarlineWindow.h"

#include "app/windows/MainWindow.h"

TForm6::TForm6(TForm1 &main)
    : QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint), main_(main) {
  setWindowTitle(QStringLiteral("音部記号・小節線"));
}
