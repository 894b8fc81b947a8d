#include "edit/windows/RectEditWindow.h"

#include <QAction>
#include <QToolButton>

#include "app/windows/MainWindow.h"
#include "score/windows/LetterWindow.h"
#include "score/windows/NotePalette.h"

TForm9::TForm9(TForm1 &main) : ModeWindow(main), main_(main) {
  setWindowTitle(QStringLiteral("矩形編集"));
}

void TForm9::FormShow() {
  main_.SpeedButton8->setChecked(true);
  main_.Rect1->setChecked(true);
  if (main_.Form2) main_.Form2->hide();
  if (main_.Form5) main_.Form5->hide();
  main_.setCanvasCursor(Qt::UpArrowCursor);
  main_.editor.RectMode = true;
  // The page commands of the main window would bypass the selection.
  main_.EditMenuAction->setEnabled(false);
}

void TForm9::FormHide() {
  main_.editor.RectMode = false;
  main_.SpeedButton8->setChecked(false);
  main_.Rect1->setChecked(false);
  main_.setCanvasCursor(Qt::ArrowCursor);
  if (main_.editor.hasSelection()) {
    main_.RedrawPaper();
    main_.editor.clearSelection();
    main_.ReplayInputs();
    main_.DisableSelectionButtons();
  }
  main_.EditMenuAction->setEnabled(true);
}
