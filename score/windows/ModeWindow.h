#pragma once

#include <QWidget>

// A tool window tied to an edit mode: the mode is on exactly while the
// window is shown. Showing and hiding by the program (or by the close box)
// run FormShow and FormHide; the window system's own showing and hiding,
// such as restoring from the task bar, are no switch.
class ModeWindow : public QWidget {
 public:
  explicit ModeWindow(QWidget &main);

 protected:
  virtual void FormShow() = 0;
  virtual void FormHide() = 0;
  // Puts the window beside the main window the first time it is shown.
  void placeBesideOnce();

  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

 private:
  QWidget &main_;
  bool placed_ = false;
};
