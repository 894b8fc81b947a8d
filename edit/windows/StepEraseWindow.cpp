#include "edit/windows/StepEraseWindow.h"

#include <QEvent>
#include <QPushButton>
#include <QScrollBar>

StepEraseWindow::StepEraseWindow(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setWindowTitle(QStringLiteral("逐次消去"));
  setFixedSize(187, 75);
  move(232, 229);
  positionBar = new QScrollBar(Qt::Horizontal, this);
  positionBar->setObjectName(QStringLiteral("ScrollBar1"));
  positionBar->setGeometry(8, 8, 169, 25);
  positionBar->setRange(0, 0);
  positionBar->setSingleStep(1);
  positionBar->setPageStep(1);
  eraseButton = new QPushButton(QStringLiteral("消去"), this);
  eraseButton->setObjectName(QStringLiteral("Button1"));
  eraseButton->setGeometry(16, 40, 81, 25);
  eraseButton->setEnabled(false);
  eraseButton->setAutoDefault(false);
  closeButton = new QPushButton(QStringLiteral("閉じる"), this);
  closeButton->setObjectName(QStringLiteral("Button2"));
  closeButton->setGeometry(112, 40, 57, 25);
  closeButton->setAutoDefault(false);
  connect(positionBar, &QScrollBar::valueChanged, this,
          &StepEraseWindow::positionChanged);
  connect(eraseButton, &QPushButton::clicked, this,
          &StepEraseWindow::eraseClicked);
  // Esc closes the dialog as "閉じる" does.
  connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void StepEraseWindow::showState(const StepEraseState &state) {
  const QSignalBlocker quiet(positionBar);
  positionBar->setMaximum(state.maximum);
  positionBar->setValue(state.position);
  eraseButton->setEnabled(state.eraseEnabled);
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
