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
  letterText = new QLineEdit(this);
  letterText->setObjectName(QStringLiteral("Edit1"));
  letterText->setGeometry(8, 8, 137, 20);
  // The page's own face, so the field shows the text as it will land.
  letterText->setFont(page_fonts::pageTextFont());
  clearButton =
      makeButton(this, 8, QStringLiteral("Clear"), QStringLiteral("空にする"),
                 QStringLiteral("SpeedButton1"));
  undoButton =
      makeButton(this, 96, QStringLiteral("Undo"), QStringLiteral("一入力消す"),
                 QStringLiteral("SpeedButton2"));
  connect(clearButton, &QToolButton::clicked, this, &LetterWindow::clearText);
  connect(undoButton, &QToolButton::clicked, this, &LetterWindow::undoClicked);
  connect(letterText, &QLineEdit::textChanged, this,
          &LetterWindow::textChanged);
  setFixedSize(151, 53);
}

void LetterWindow::clearText() { letterText->clear(); }

void LetterWindow::focusText() {
  activateWindow();
  letterText->setFocus();
}
