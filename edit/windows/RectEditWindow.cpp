#include "edit/windows/RectEditWindow.h"

#include "app/windows/MainWindow.h"

TForm9::TForm9(TForm1 &main)
    : QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint), main_(main) {
  setWindowTitle(QStringLiteral("矩形編集"));
}
