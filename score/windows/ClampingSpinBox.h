#pragma once

#include <QSpinBox>

// A spin edit that takes whatever is typed: a number outside the range is
// brought to the nearest bound, and text that is not a number counts as
// the lower bound.
class ClampingSpinBox : public QSpinBox {
  Q_OBJECT
 public:
  using QSpinBox::QSpinBox;

  // The value the typed text stands for, clamped.
  int clampedValue() const;
  // The text in the field, as typed.
  QString typedText() const;
  void setTypedText(const QString &text);

 protected:
  QValidator::State validate(QString &text, int &pos) const override;
  int valueFromText(const QString &text) const override;
  void fixup(QString &text) const override;
};
