#include "edit/windows/TypedSpinEdit.h"

#include <QLineEdit>
#include <algorithm>

TypedSpinEdit::TypedSpinEdit(int minimum, int maximum, QWidget *parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum) {
  setTypedText(QString::number(minimum));
}

void TypedSpinEdit::setTypedText(const QString &text) {
  lineEdit()->setText(text);
}

int TypedSpinEdit::inRange() const {
  bool ok = false;
  const qlonglong typed = text().trimmed().toLongLong(&ok);
  if (!ok) return minimum_;
  return static_cast<int>(std::clamp<qlonglong>(typed, minimum_, maximum_));
}

void TypedSpinEdit::stepBy(int steps) {
  setTypedText(QString::number(
      std::clamp<qlonglong>(qlonglong(inRange()) + steps, minimum_, maximum_)));
  selectAll();
}

QAbstractSpinBox::StepEnabled TypedSpinEdit::stepEnabled() const {
  const int value = inRange();
  StepEnabled enabled = StepNone;
  if (value < maximum_) enabled |= StepUpEnabled;
  if (value > minimum_) enabled |= StepDownEnabled;
  return enabled;
}
