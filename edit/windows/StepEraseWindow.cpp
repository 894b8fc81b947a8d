#include "edit/windows/StepEraseWindow.h"

#include <QEvent>
#include <QPushButton>
#include <QScrollBar>

StepEraseWindow::StepEraseWindow(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setWindowTitle(QStringLiteral("逐次消去"));
  setFixedSize(187, 75);
  move(232, 229);
  ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
  ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
  ScrollBar1->setGeometry(8, 8, 169, 25);
  ScrollBar1->setRange(0, 0);
  ScrollBar1->setSingleStep(1);
  ScrollBar1->setPageStep(1);
  Button1 = new QPushButton(QStringLiteral("消去"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(16, 40, 81, 25);
  Button1->setEnabled(false);
  Button1->setAutoDefault(false);
  Button2 = new QPushButton(QStringLiteral("閉じる"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setGeometry(112, 40, 57, 25);
  Button2->setAutoDefault(false);
  connect(ScrollBar1, &QScrollBar::valueChanged, this,
          &StepEraseWindow::positionChanged);
  connect(Button1, &QPushButton::clicked, this, &StepEraseWindow::eraseClicked);
  // Esc closes the dialog as "閉じる" does.
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void StepEraseWindow::showState(const StepEraseState &state) {
  const QSignalBlocker quiet(ScrollBar1);
  ScrollBar1->setMaximum(state.maximum);
  ScrollBar1->setValue(state.position);
  Button1->setEnabled(state.eraseEnabled);
}

void StepEraseWindow::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  emit activated();
}

void StepEraseWindow::changeEvent(QEvent *event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow())
    emit activated();
}
