#include "edit/windows/RectEditWindow.h"

TForm9::TForm9(QWidget &main) : ModeWindow(main) {
  setWindowTitle(QStringLiteral("矩形編集"));
}
