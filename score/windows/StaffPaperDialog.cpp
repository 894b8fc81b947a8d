#include "score/windows/StaffPaperDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "score/core/StaffLimits.h"
#include "score/windows/ClampingSpinBox.h"

StaffPaperDialog::StaffPaperDialog(int staffCount, int staffWidth,
                                   QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setWindowTitle(QStringLiteral("五線紙の設定"));
  setModal(true);
  staffCountLabel = new QLabel(QStringLiteral("段数"), this);
  staffWidthLabel = new QLabel(QStringLiteral("幅"), this);
  unitLabel = new QLabel(QStringLiteral("(幅の標準値は 610 です)"), this);
  staffCountEdit = new ClampingSpinBox(this);
  staffCountEdit->setRange(staff_limits::MinCount, staff_limits::MaxCount);
  staffCountEdit->setSingleStep(1);
  staffCountEdit->setValue(staff_limits::clampCount(staffCount));
  staffWidthEdit = new ClampingSpinBox(this);
  staffWidthEdit->setRange(staff_limits::MinWidth, staff_limits::MaxWidth);
  staffWidthEdit->setSingleStep(10);
  staffWidthEdit->setValue(staff_limits::clampWidth(staffWidth));
  okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setDefault(true);
  cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);

  auto *grid = new QGridLayout(this);
  grid->addWidget(staffCountLabel, 0, 0);
  grid->addWidget(staffCountEdit, 0, 1);
  grid->addWidget(staffWidthLabel, 1, 0);
  grid->addWidget(staffWidthEdit, 1, 1);
  grid->addWidget(unitLabel, 2, 0, 1, 2);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  grid->addLayout(buttons, 3, 0, 1, 2);

  connect(okButton, &QPushButton::clicked, this, &StaffPaperDialog::confirm);
  connect(cancelButton, &QPushButton::clicked, this, &StaffPaperDialog::cancel);
}

void StaffPaperDialog::confirm() {
  const int count = staffCountEdit->clampedValue();
  const int width = staffWidthEdit->clampedValue();
  emit confirmed(count, width);
  accept();
}

void StaffPaperDialog::cancel() { reject(); }
