#pragma once

#include <QList>
#include <QObject>
#include <QPoint>

#include "app/core/RegionClipboard.h"
#include "edit/core/RegionMoves.h"

class DocumentView;
struct EditorState;
class Messages;
class PageChanges;
class ScorePage;

// Rectangle editing: the rubber band on the canvas, the selection and its
// frame, and the region commands with the clipboard.
class RegionTool : public QObject {
  Q_OBJECT
 public:
  RegionTool(ScorePage &page, EditorState &editor, Messages &messages,
             DocumentView &view, PageChanges &changes);

  // The selected inputs, ascending page indices.
  const QList<int> &selection() const { return selection_; }
  bool selectionCommandsEnabled() const { return commandsEnabled_; }
  bool pasteEnabled() const { return pasteEnabled_; }

  // The left button on the canvas in rectangle mode.
  void pressBand(QPoint position);
  void moveBand(QPoint position);
  void releaseBand(QPoint position);
  // In rectangle mode, selects every input inside the canvas and frames
  // it.
  void selectAll();
  // Fresh canvas, no rectangle.
  void redrawWithoutFrame();

  void cut();
  // Puts the selection on the clipboard as region text.
  void copy();
  // Appends the region text of the clipboard and selects it.
  void paste();
  void duplicate();
  void remove();
  // An arrow button of the rectangle window was let go.
  void moveByArrow(MoveArrow arrow, Qt::KeyboardModifiers modifiers);

  // The commands that need a selection cannot be used until the next one.
  void disableSelectionCommands();
  // Leaving rectangle mode: the frame (or a band half drawn) goes.
  void dropFrame();
  // The canvas was drawn anew: a drag it interrupts is over.
  void canvasRedrawn() { dragging_ = false; }
  // The page and its canvas are up to date after a step: the selection's
  // frame is drawn again.
  void canvasRefreshed();
  // A step of the history is taken back or done again: the selection goes.
  void letGo();
  // The clipboard's text changed (also once at start-up): Paste follows
  // once the view has read the head of the new text.
  void clipboardChanged();

 signals:
  // The rectangle window's buttons that act on the selection, and Paste.
  void selectionCommandsChanged(bool enabled);
  void pasteEnabledChanged(bool enabled);

 private:
  void dragBand(QPoint position);
  void endBand(QPoint position);
  void selectInRect();
  void removeSelection(const QString &name);
  void drawFrame();
  bool selectionInPage();
  void setCommandsEnabled(bool enabled);
  void shiftSelection(bool vertical, int step);
  void updatePasteEnabled();

  ScorePage &page_;
  EditorState &editor_;
  Messages &messages_;
  DocumentView &view_;
  PageChanges &changes_;
  QList<int> selection_;
  // The rubber band while the left button is down, from the selection
  // rectangle's left and top to dragPoint_.
  bool dragging_ = false;
  QPoint dragPoint_;
  bool commandsEnabled_ = false;
  bool pasteEnabled_ = true;
  RegionClipboard clipboard_;
};
