#include "score/windows/ClampingSpinBox.h"

#include <QLineEdit>

int ClampingSpinBox::clampedValue() const {
  return valueFromText(lineEdit()->text());
}

QString ClampingSpinBox::typedText() const { return lineEdit()->text(); }

void ClampingSpinBox::setTypedText(const QString &text) {
  lineEdit()->setText(text);
}

QValidator::State ClampingSpinBox::validate(QString &, int &) const {
  return QValidator::Acceptable;
}

int ClampingSpinBox::valueFromText(const QString &text) const {
  bool ok = false;
  const qlonglong n = text.trimmed().toLongLong(&ok);
  if (!ok) return minimum();
  if (n < minimum()) return minimum();
  if (n > maximum()) return maximum();
  return static_cast<int>(n);
}

void ClampingSpinBox::fixup(QString &text) const {
  text = QString::number(valueFromText(text));
}
