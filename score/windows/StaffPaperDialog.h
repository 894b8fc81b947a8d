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

  QLabel *Label1, *Label2, *Label3;
  ClampingSpinBox *SpinEdit1;  // staves, 1..32
  ClampingSpinBox *SpinEdit2;  // width, 60..1280 in steps of 10
  QPushButton *Button1;        // OK
  QPushButton *Button2;        // キャンセル

  void Button1Click();
  void Button2Click();

 signals:
  // OK was pressed with these values, already within their ranges.
  void confirmed(int staffCount, int staffWidth);
};
