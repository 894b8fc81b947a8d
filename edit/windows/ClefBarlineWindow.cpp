#include "edit/windows/ClefBarlineWindow.h"

TForm6::TForm6(QWidget &main)
    : QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setWindowTitle(QStringLiteral("音部記号・小節線"));
}
