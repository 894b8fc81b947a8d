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
  Label1 = new QLabel(QStringLiteral("段数"), this);
  Label2 = new QLabel(QStringLiteral("幅"), this);
  Label3 = new QLabel(QStringLiteral("(幅の標準値は 610 です)"), this);
  SpinEdit1 = new ClampingSpinBox(this);
  SpinEdit1->setRange(staff_limits::MinCount, staff_limits::MaxCount);
  SpinEdit1->setSingleStep(1);
  SpinEdit1->setValue(staff_limits::clampCount(staffCount));
  SpinEdit2 = new ClampingSpinBox(this);
  SpinEdit2->setRange(staff_limits::MinWidth, staff_limits::MaxWidth);
  SpinEdit2->setSingleStep(10);
  SpinEdit2->setValue(staff_limits::clampWidth(staffWidth));
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("キャンセル"), this);

  auto *grid = new QGridLayout(this);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(SpinEdit1, 0, 1);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(SpinEdit2, 1, 1);
  grid->addWidget(Label3, 2, 0, 1, 2);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  grid->addLayout(buttons, 3, 0, 1, 2);

  connect(Button1, &QPushButton::clicked, this,
          &StaffPaperDialog::Button1Click);
  connect(Button2, &QPushButton::clicked, this,
          &StaffPaperDialog::Button2Click);
}

void StaffPaperDialog::Button1Click() {
  const int count = SpinEdit1->clampedValue();
  const int width = SpinEdit2->clampedValue();
  emit confirmed(count, width);
  accept();
}

void StaffPaperDialog::Button2Click() { reject(); }
