#include "score/windows/NotePalette.h"

#include "app/windows/MainWindow.h"

TForm2::TForm2(TForm1 &main)
    : QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint), main_(main) {
  setWindowTitle(QStringLiteral(" "));
}
