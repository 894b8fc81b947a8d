#pragma once

#include <QWidget>

class TForm1;

// The rectangle edit window: region commands on the selected rectangle. It
// is shown exactly while rectangle mode is on.
class TForm9 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm9(TForm1 &main);

 protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

 private:
  void FormShow();
  void FormHide();

  TForm1 &main_;
};
