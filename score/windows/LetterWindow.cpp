#include "score/windows/LetterWindow.h"

#include <QLineEdit>
#include <QToolButton>

#include "score/render/PageFonts.h"
#include "score/windows/ToolWindows.h"

namespace {

QToolButton *makeButton(QWidget *parent, int left, const QString &caption,
                        const QString &hint, const QString &name) {
  auto *button = new QToolButton(parent);
  button->setObjectName(name);
  button->setGeometry(left, 32, 49, 17);
  button->setText(caption);
  button->setToolTip(hint);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

LetterWindow::LetterWindow(QWidget &main) : ModeWindow(main) {
  setWindowTitle(QStringLiteral("文字入力"));
  setWindowFlag(Qt::WindowMinimizeButtonHint, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setFont(tool_windows::font());
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(8, 8, 137, 20);
  // The page's own face, so the field shows the text as it will land.
  Edit1->setFont(page_fonts::pageTextFont());
  SpeedButton1 =
      makeButton(this, 8, QStringLiteral("Clear"), QStringLiteral("空にする"),
                 QStringLiteral("SpeedButton1"));
  SpeedButton2 =
      makeButton(this, 96, QStringLiteral("Undo"), QStringLiteral("一入力消す"),
                 QStringLiteral("SpeedButton2"));
  connect(SpeedButton1, &QToolButton::clicked, this,
          &LetterWindow::SpeedButton1Click);
  connect(SpeedButton2, &QToolButton::clicked, this,
          &LetterWindow::undoClicked);
  connect(Edit1, &QLineEdit::textChanged, this, &LetterWindow::textChanged);
  setFixedSize(151, 53);
}

void LetterWindow::SpeedButton1Click() { Edit1->clear(); }

void LetterWindow::focusText() {
  activateWindow();
  Edit1->setFocus();
}
