#include "edit/windows/RectEditWindow.h"

#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "score/windows/ObjectNames.h"
#include "score/windows/ToolWindows.h"

namespace {

QToolButton *makeButton(QWidget &parent, const char *name,
                        const QString &caption, const QRect &place) {
  auto *button = new QToolButton(&parent);
  button->setObjectName(QLatin1String(name));
  button->setText(caption);
  button->setGeometry(place);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

RectEditWindow::RectEditWindow(QWidget &main) : ModeWindow(main) {
  setWindowTitle(QStringLiteral("矩形編集"));
  setWindowFlag(Qt::WindowMinimizeButtonHint, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setFont(tool_windows::font());
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName(QStringLiteral("MainMenu1"));
  menuBar_->setNativeMenuBar(false);
  layout->setMenuBar(menuBar_);
  auto *client = new QWidget(this);
  client->setObjectName(QStringLiteral("Client"));
  client->setFixedSize(139, 89);
  layout->addWidget(client);
  buildButtons(*client);
  buildMenu();
  setSelectionButtonsEnabled(false);
}

void RectEditWindow::buildButtons(QWidget &client) {
  cutButton = makeButton(client, "SpeedButton2", QStringLiteral("切り取り"),
                         QRect(0, 0, 57, 17));
  copyButton = makeButton(client, "SpeedButton3", QStringLiteral("コピー"),
                          QRect(0, 16, 57, 17));
  pasteButton = makeButton(client, "SpeedButton4", QStringLiteral("貼り付け"),
                           QRect(0, 32, 57, 17));
  duplicateButton = makeButton(client, "SpeedButton1", QStringLiteral("二重化"),
                               QRect(0, 56, 57, 17));
  deleteButton = makeButton(client, "SpeedButton5", QStringLiteral("削除"),
                            QRect(0, 72, 57, 17));
  upButton = makeButton(client, "SpeedButton6", QStringLiteral("↑"),
                        QRect(88, 0, 25, 25));
  leftButton = makeButton(client, "SpeedButton7", QStringLiteral("←"),
                          QRect(64, 24, 25, 25));
  rightButton = makeButton(client, "SpeedButton8", QStringLiteral("→"),
                           QRect(112, 24, 25, 25));
  downButton = makeButton(client, "SpeedButton9", QStringLiteral("↓"),
                          QRect(88, 48, 25, 25));
  modifierHint = new QLabel(QStringLiteral("+Shift, +Ctrl"), &client);
  modifierHint->setObjectName(QStringLiteral("Label1"));
  modifierHint->move(72, 76);
  modifierHint->adjustSize();

  connect(cutButton, &QToolButton::clicked, this, &RectEditWindow::cutClicked);
  connect(copyButton, &QToolButton::clicked, this,
          &RectEditWindow::copyClicked);
  connect(pasteButton, &QToolButton::clicked, this,
          &RectEditWindow::pasteClicked);
  connect(duplicateButton, &QToolButton::clicked, this,
          &RectEditWindow::duplicateClicked);
  connect(deleteButton, &QToolButton::clicked, this,
          &RectEditWindow::deleteClicked);
  for (QToolButton *arrow : {upButton, leftButton, rightButton, downButton})
    arrow->installEventFilter(this);
}

void RectEditWindow::buildMenu() {
  editMenu = menuBar_->addMenu(QStringLiteral("編集(&E)"));
  editMenu->setObjectName(QStringLiteral("Edit1"));
  // Undo and redo of the page's history, as in the main window's menu.
  undoItem =
      named(editMenu->addAction(QStringLiteral("元に戻す")), "HistoryUndo");
  redoItem =
      named(editMenu->addAction(QStringLiteral("やり直し")), "HistoryRedo");
  undoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redoItem->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  undoItem->setEnabled(false);
  redoItem->setEnabled(false);
  editMenu->addSeparator();
  redrawItem =
      named(editMenu->addAction(QStringLiteral("再描画(&R)")), "Redraw1");
  named(editMenu->addSeparator(), "N2");
  shiftMenu = editMenu->addMenu(QStringLiteral("全体シフト(&S)"));
  shiftMenu->setObjectName(QStringLiteral("K1"));
  shiftUpItem = named(shiftMenu->addAction(QStringLiteral("上へ")), "K3");
  shiftDownItem = named(shiftMenu->addAction(QStringLiteral("下へ")), "K4");
  staffPaperItem =
      named(editMenu->addAction(QStringLiteral("五線紙の設定(&G)...")), "K2");
  named(editMenu->addSeparator(), "N1");
  selectAllItem = named(editMenu->addAction(QStringLiteral("すべて選択(&A)")),
                        "SelectAll1");
  connect(undoItem, &QAction::triggered, this, &RectEditWindow::undoChosen);
  connect(redoItem, &QAction::triggered, this, &RectEditWindow::redoChosen);
  connect(redrawItem, &QAction::triggered, this, &RectEditWindow::redrawChosen);
  connect(shiftUpItem, &QAction::triggered, this,
          &RectEditWindow::shiftUpChosen);
  connect(shiftDownItem, &QAction::triggered, this,
          &RectEditWindow::shiftDownChosen);
  connect(staffPaperItem, &QAction::triggered, this,
          &RectEditWindow::paperChosen);
  connect(selectAllItem, &QAction::triggered, this,
          &RectEditWindow::selectAllChosen);
}

void RectEditWindow::setSelectionButtonsEnabled(bool enabled) {
  for (QToolButton *button :
       {duplicateButton, cutButton, copyButton, deleteButton, upButton,
        leftButton, rightButton, downButton})
    button->setEnabled(enabled);
}

void RectEditWindow::showHistory(const QString &undoCaption, bool canUndo,
                                 const QString &redoCaption, bool canRedo) {
  undoItem->setText(undoCaption);
  undoItem->setEnabled(canUndo);
  redoItem->setText(redoCaption);
  redoItem->setEnabled(canRedo);
}

void RectEditWindow::setPasteEnabled(bool enabled) {
  pasteButton->setEnabled(enabled);
}

MoveArrow RectEditWindow::arrowOf(const QObject *button) const {
  if (button == upButton) return MoveArrow::Up;
  if (button == downButton) return MoveArrow::Down;
  if (button == leftButton) return MoveArrow::Left;
  return MoveArrow::Right;
}

bool RectEditWindow::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::MouseButtonPress) {
    if (static_cast<QWidget *>(watched)->isEnabled()) pressedArrow_ = watched;
  } else if (event->type() == QEvent::MouseButtonRelease &&
             watched == pressedArrow_) {
    const auto *release = static_cast<QMouseEvent *>(event);
    // Each button let go moves once; the arrow stays armed while another
    // button is still down on it.
    if (release->buttons() == Qt::NoButton) pressedArrow_ = nullptr;
    emit moveReleased(arrowOf(watched), release->modifiers());
  }
  return ModeWindow::eventFilter(watched, event);
}
