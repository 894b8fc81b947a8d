#pragma once

#include "edit/core/RegionMoves.h"
#include "score/windows/ModeWindow.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QToolButton;

// The rectangle edit window: region commands on the selected rectangle. It
// is shown exactly while rectangle mode is on. Every command is reported
// as a signal; the main window decides which buttons can be pressed.
class RectEditWindow : public ModeWindow {
  Q_OBJECT
 public:
  explicit RectEditWindow(QWidget &main);

  // Every button except Paste.
  void setSelectionButtonsEnabled(bool enabled);
  void setPasteEnabled(bool enabled);

 signals:
  void cutClicked();
  void copyClicked();
  void pasteClicked();
  void duplicateClicked();
  void deleteClicked();
  // A mouse button pressed on an enabled arrow was let go.
  void moveReleased(MoveArrow arrow, Qt::KeyboardModifiers modifiers);
  void redrawChosen();
  void shiftUpChosen();
  void shiftDownChosen();
  void paperChosen();
  void selectAllChosen();

 protected:
  // Watches the arrows: they move on the release of any mouse button, not
  // on a click.
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void buildButtons(QWidget &client);
  void buildMenu();
  MoveArrow arrowOf(const QObject *button) const;

  QMenuBar *MainMenu1 = nullptr;
  QMenu *Edit1 = nullptr, *K1 = nullptr;
  QAction *Redraw1 = nullptr, *K3 = nullptr, *K4 = nullptr, *K2 = nullptr,
          *SelectAll1 = nullptr;
  QToolButton *SpeedButton2 = nullptr;  // cut
  QToolButton *SpeedButton3 = nullptr;  // copy
  QToolButton *SpeedButton4 = nullptr;  // paste
  QToolButton *SpeedButton1 = nullptr;  // duplicate
  QToolButton *SpeedButton5 = nullptr;  // delete
  QToolButton *SpeedButton6 = nullptr;  // up
  QToolButton *SpeedButton7 = nullptr;  // left
  QToolButton *SpeedButton8 = nullptr;  // right
  QToolButton *SpeedButton9 = nullptr;  // down
  QLabel *Label1 = nullptr;
  // The arrow a mouse button went down on while it was enabled.
  QObject *pressedArrow_ = nullptr;
};
