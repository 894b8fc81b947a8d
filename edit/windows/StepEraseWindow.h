#pragma once

#include <QDialog>

#include "edit/core/StepEraseState.h"

class QPushButton;
class QScrollBar;

// The step-erase window: a scroll bar walks through the page's inputs, the
// one it stands on is marked on the page, and "消去" erases it.
class StepEraseWindow : public QDialog {
  Q_OBJECT
 public:
  explicit StepEraseWindow(QWidget *parent = nullptr);

  // Puts the scroll bar and the button where the page's state says.
  void showState(const StepEraseState &state);

 signals:
  // Opened, or active again after another window was.
  void activated();
  void positionChanged(int position);
  void eraseClicked();

 protected:
  void showEvent(QShowEvent *event) override;
  void changeEvent(QEvent *event) override;

 private:
  QScrollBar *positionBar;
  QPushButton *eraseButton;  // "消去"
  QPushButton *closeButton;  // "閉じる"
};
