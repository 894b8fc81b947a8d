#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class ClampingSpinBox;

// The staff paper dialog: number of staves and width of the page.
class StaffPaperDialog : public QDialog {
  Q_OBJECT
 public:
  StaffPaperDialog(int staffCount, int staffWidth, QWidget *parent = nullptr);

  QLabel *staffCountLabel, *staffWidthLabel, *unitLabel;
  ClampingSpinBox *staffCountEdit;  // staves, 1..32
  ClampingSpinBox *staffWidthEdit;  // width, 60..1280 in steps of 10
  QPushButton *okButton;            // OK
  QPushButton *cancelButton;        // キャンセル

  void confirm();
  void cancel();

 signals:
  // OK was pressed with these values, already within their ranges.
  void confirmed(int staffCount, int staffWidth);
};
