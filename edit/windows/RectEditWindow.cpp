#include "edit/windows/RectEditWindow.h"

#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

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

QAction *named(QAction *action, const char *name) {
  action->setObjectName(QLatin1String(name));
  return action;
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
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  MainMenu1->setNativeMenuBar(false);
  layout->setMenuBar(MainMenu1);
  auto *client = new QWidget(this);
  client->setObjectName(QStringLiteral("Client"));
  client->setFixedSize(139, 89);
  layout->addWidget(client);
  buildButtons(*client);
  buildMenu();
  setSelectionButtonsEnabled(false);
}

void RectEditWindow::buildButtons(QWidget &client) {
  SpeedButton2 = makeButton(client, "SpeedButton2", QStringLiteral("切り取り"),
                            QRect(0, 0, 57, 17));
  SpeedButton3 = makeButton(client, "SpeedButton3", QStringLiteral("コピー"),
                            QRect(0, 16, 57, 17));
  SpeedButton4 = makeButton(client, "SpeedButton4", QStringLiteral("貼り付け"),
                            QRect(0, 32, 57, 17));
  SpeedButton1 = makeButton(client, "SpeedButton1", QStringLiteral("二重化"),
                            QRect(0, 56, 57, 17));
  SpeedButton5 = makeButton(client, "SpeedButton5", QStringLiteral("削除"),
                            QRect(0, 72, 57, 17));
  SpeedButton6 = makeButton(client, "SpeedButton6", QStringLiteral("↑"),
                            QRect(88, 0, 25, 25));
  SpeedButton7 = makeButton(client, "SpeedButton7", QStringLiteral("←"),
                            QRect(64, 24, 25, 25));
  SpeedButton8 = makeButton(client, "SpeedButton8", QStringLiteral("→"),
                            QRect(112, 24, 25, 25));
  SpeedButton9 = makeButton(client, "SpeedButton9", QStringLiteral("↓"),
                            QRect(88, 48, 25, 25));
  Label1 = new QLabel(QStringLiteral("+Shift, +Ctrl"), &client);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->move(72, 76);
  Label1->adjustSize();

  connect(SpeedButton2, &QToolButton::clicked, this,
          &RectEditWindow::cutClicked);
  connect(SpeedButton3, &QToolButton::clicked, this,
          &RectEditWindow::copyClicked);
  connect(SpeedButton4, &QToolButton::clicked, this,
          &RectEditWindow::pasteClicked);
  connect(SpeedButton1, &QToolButton::clicked, this,
          &RectEditWindow::duplicateClicked);
  connect(SpeedButton5, &QToolButton::clicked, this,
          &RectEditWindow::deleteClicked);
  for (QToolButton *arrow :
       {SpeedButton6, SpeedButton7, SpeedButton8, SpeedButton9})
    arrow->installEventFilter(this);
}

void RectEditWindow::buildMenu() {
  Edit1 = MainMenu1->addMenu(QStringLiteral("編集(&E)"));
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Redraw1 = named(Edit1->addAction(QStringLiteral("再描画(&R)")), "Redraw1");
  named(Edit1->addSeparator(), "N2");
  K1 = Edit1->addMenu(QStringLiteral("全体シフト(&S)"));
  K1->setObjectName(QStringLiteral("K1"));
  K3 = named(K1->addAction(QStringLiteral("上へ")), "K3");
  K4 = named(K1->addAction(QStringLiteral("下へ")), "K4");
  K2 = named(Edit1->addAction(QStringLiteral("五線紙の設定(&G)...")), "K2");
  named(Edit1->addSeparator(), "N1");
  SelectAll1 =
      named(Edit1->addAction(QStringLiteral("すべて選択(&A)")), "SelectAll1");
  connect(Redraw1, &QAction::triggered, this, &RectEditWindow::redrawChosen);
  connect(K3, &QAction::triggered, this, &RectEditWindow::shiftUpChosen);
  connect(K4, &QAction::triggered, this, &RectEditWindow::shiftDownChosen);
  connect(K2, &QAction::triggered, this, &RectEditWindow::paperChosen);
  connect(SelectAll1, &QAction::triggered, this,
          &RectEditWindow::selectAllChosen);
}

void RectEditWindow::setSelectionButtonsEnabled(bool enabled) {
  for (QToolButton *button :
       {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton5, SpeedButton6,
        SpeedButton7, SpeedButton8, SpeedButton9})
    button->setEnabled(enabled);
}

void RectEditWindow::setPasteEnabled(bool enabled) {
  SpeedButton4->setEnabled(enabled);
}

MoveArrow RectEditWindow::arrowOf(const QObject *button) const {
  if (button == SpeedButton6) return MoveArrow::Up;
  if (button == SpeedButton9) return MoveArrow::Down;
  if (button == SpeedButton7) return MoveArrow::Left;
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
