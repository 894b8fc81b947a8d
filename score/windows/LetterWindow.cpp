#include "score/windows/LetterWindow.h"

#include "app/windows/MainWindow.h"

TForm5::TForm5(TForm1 &main)
    : QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint), main_(main) {
  setWindowTitle(QStringLiteral("文字入力"));
}
