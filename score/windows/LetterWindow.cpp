#include "score/windows/LetterWindow.h"

#include <QLineEdit>
#include <QToolButton>

#include "app/windows/MainWindow.h"
#include "edit/windows/RectEditWindow.h"
#include "score/render/PageFonts.h"
#include "score/windows/NotePalette.h"
#include "score/windows/ToolWindows.h"

namespace {

QToolButton *makeButton(QWidget *parent, int left, const QString &caption,
                        const QString &hint) {
  auto *button = new QToolButton(parent);
  button->setGeometry(left, 32, 49, 17);
  button->setText(caption);
  button->setToolTip(hint);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

TForm5::TForm5(TForm1 &main) : ModeWindow(main), main_(main) {
  setWindowTitle(QStringLiteral("文字入力"));
  setWindowFlag(Qt::WindowMinimizeButtonHint, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setFont(tool_windows::font());
  Edit1 = new QLineEdit(this);
  Edit1->setGeometry(8, 8, 137, 20);
  // The page's own face, so the field shows the text as it will land.
  Edit1->setFont(page_fonts::pageTextFont());
  SpeedButton1 =
      makeButton(this, 8, QStringLiteral("Clear"), QStringLiteral("空にする"));
  SpeedButton2 = makeButton(this, 96, QStringLiteral("Undo"),
                            QStringLiteral("一入力消す"));
  connect(SpeedButton1, &QToolButton::clicked, this,
          &TForm5::SpeedButton1Click);
  connect(SpeedButton2, &QToolButton::clicked, this,
          &TForm5::SpeedButton2Click);
  setFixedSize(151, 53);
}

void TForm5::SpeedButton1Click() { Edit1->clear(); }

void TForm5::SpeedButton2Click() { main_.Undo1Click(); }

void TForm5::focusText() {
  activateWindow();
  Edit1->setFocus();
}

void TForm5::FormShow() {
  placeBesideOnce();
  main_.editor.LetterMode = true;
  main_.SpeedButton2->setChecked(true);
  main_.Letter1->setChecked(true);
  if (main_.Form2) main_.Form2->hide();
  if (main_.Form9) main_.Form9->hide();
  // After the other windows' hide handlers, so their arrow does not win.
  main_.setCanvasCursor(Qt::CrossCursor);
}

void TForm5::FormHide() {
  main_.editor.LetterMode = false;
  main_.SpeedButton2->setChecked(false);
  main_.Letter1->setChecked(false);
  main_.setCanvasCursor(Qt::ArrowCursor);
}
