#pragma once

#include <QAbstractSpinBox>

// A spin edit whose text is read as typed, whatever it holds; only its
// arrows keep to the range, stepping from the typed number brought into it.
class TypedSpinEdit : public QAbstractSpinBox {
  Q_OBJECT
 public:
  TypedSpinEdit(int minimum, int maximum, QWidget *parent);

  void setTypedText(const QString &text);
  void stepBy(int steps) override;

 protected:
  StepEnabled stepEnabled() const override;

 private:
  int inRange() const;

  int minimum_;
  int maximum_;
};
