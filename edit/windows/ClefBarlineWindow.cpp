#include "edit/windows/ClefBarlineWindow.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "edit/windows/TypedSpinEdit.h"

namespace {

TypedSpinEdit *staffSpin(QWidget *parent, const char *name, int left) {
  auto *spin = new TypedSpinEdit(1, 32, parent);
  spin->setObjectName(QLatin1String(name));
  spin->setGeometry(left, 144, 49, 21);
  return spin;
}

}  // namespace

ClefBarlineWindow::ClefBarlineWindow(QWidget &main)
    : QDialog(&main,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("音部記号・小節線"));
  setFixedSize(298, 173);
  move(183, 139);
  radioGroup("RadioGroup1", QStringLiteral("音部記号"),
             {QStringLiteral("書かない"), QStringLiteral("ト音記号"),
              QStringLiteral("ヘ音記号"), QStringLiteral("ハ音記号"),
              QStringLiteral("大譜表")},
             QRect(8, 8, 89, 129), 1, &clefChoice);
  radioGroup("RadioGroup2", QStringLiteral("小節線"),
             {QStringLiteral("書かない"), QStringLiteral("３小節分割"),
              QStringLiteral("４小節分割"), QStringLiteral("５小節分割"),
              QStringLiteral("６小節分割")},
             QRect(104, 8, 97, 129), 2, &barlineChoice);
  systemBox_ = radioGroup("RadioGroup3", QStringLiteral("段組"),
                          {QStringLiteral("１段譜"), QStringLiteral("２段譜"),
                           QStringLiteral("３段譜"), QStringLiteral("４段譜")},
                          QRect(208, 8, 81, 97), 0, &stavesPerSystemChoice);
  firstStaffEdit = staffSpin(this, "SpinEdit1", 8);
  (new QLabel(QStringLiteral("段目から"), this))->move(64, 152);
  staffCountEdit = staffSpin(this, "SpinEdit2", 120);
  (new QLabel(QStringLiteral("段書く"), this))->move(176, 152);
  okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setObjectName(QStringLiteral("Button1"));
  okButton->setGeometry(216, 112, 73, 25);
  okButton->setDefault(true);
  cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
  cancelButton->setObjectName(QStringLiteral("Button2"));
  cancelButton->setGeometry(216, 144, 73, 25);
  connect(barlineChoice, &QButtonGroup::idClicked, this,
          &ClefBarlineWindow::followBarlineChoice);
  connect(okButton, &QPushButton::clicked, this, &ClefBarlineWindow::confirm);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QGroupBox *ClefBarlineWindow::radioGroup(const char *name,
                                         const QString &caption,
                                         const QStringList &items,
                                         const QRect &place, int checked,
                                         QButtonGroup **group) {
  auto *box = new QGroupBox(caption, this);
  box->setObjectName(QLatin1String(name));
  box->setGeometry(place);
  auto *layout = new QVBoxLayout(box);
  layout->setContentsMargins(6, 2, 2, 2);
  layout->setSpacing(0);
  *group = new QButtonGroup(box);
  for (int i = 0; i < items.size(); ++i) {
    auto *item = new QRadioButton(items[i], box);
    item->setChecked(i == checked);
    layout->addWidget(item);
    (*group)->addButton(item, i);
  }
  return box;
}

clefs_and_barlines::Choice ClefBarlineWindow::choice() const {
  return {clefChoice->checkedId(), barlineChoice->checkedId(),
          stavesPerSystemChoice->checkedId(),
          clefs_and_barlines::fieldValue(firstStaffEdit->text()),
          clefs_and_barlines::fieldValue(staffCountEdit->text())};
}

void ClefBarlineWindow::followBarlineChoice() {
  // Staves are joined into systems only by barlines.
  systemBox_->setEnabled(barlineChoice->checkedId() != 0);
}

void ClefBarlineWindow::confirm() {
  const clefs_and_barlines::Choice chosen = choice();
  accept();
  emit confirmed(chosen);
}
