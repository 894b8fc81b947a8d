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
  // The menu's undo and redo items, worded as the main window words them.
  void showHistory(const QString &undoCaption, bool canUndo,
                   const QString &redoCaption, bool canRedo);

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
  void undoChosen();
  void redoChosen();

 protected:
  // Watches the arrows: they move on the release of any mouse button, not
  // on a click.
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void buildButtons(QWidget &client);
  void buildMenu();
  MoveArrow arrowOf(const QObject *button) const;

  QMenuBar *menuBar_ = nullptr;
  QMenu *editMenu = nullptr, *shiftMenu = nullptr;
  QAction *undoItem = nullptr, *redoItem = nullptr;
  QAction *redrawItem = nullptr, *shiftUpItem = nullptr,
          *shiftDownItem = nullptr, *staffPaperItem = nullptr,
          *selectAllItem = nullptr;
  QToolButton *cutButton = nullptr;        // cut
  QToolButton *copyButton = nullptr;       // copy
  QToolButton *pasteButton = nullptr;      // paste
  QToolButton *duplicateButton = nullptr;  // duplicate
  QToolButton *deleteButton = nullptr;     // delete
  QToolButton *upButton = nullptr;         // up
  QToolButton *leftButton = nullptr;       // left
  QToolButton *rightButton = nullptr;      // right
  QToolButton *downButton = nullptr;       // down
  QLabel *modifierHint = nullptr;
  // The arrow a mouse button went down on while it was enabled.
  QObject *pressedArrow_ = nullptr;
};
