#pragma once

#include <QWidget>

// A tool window tied to an edit mode: the mode is on exactly while the
// window is shown. Showing and hiding by the program (or by the close box)
// are reported through modeShown and modeHidden; the window system's own
// showing and hiding, such as restoring from the task bar, are no switch.
class ModeWindow : public QWidget {
  Q_OBJECT
 public:
  explicit ModeWindow(QWidget &main);

 signals:
  void modeShown();
  void modeHidden();

 protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

 private:
  QWidget &main_;
  bool placed_ = false;
};
