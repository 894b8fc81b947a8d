#pragma once

#include <QHash>
#include <QList>
#include <QUndoCommand>

#include "score/core/InputList.h"

class CanvasCache;
class ScorePage;

// The steps of the page's history. Each keeps only what it changes (the
// inputs it added or removed, the places it moved, the old paper size),
// and undo() gives back the page's bytes exactly as they were.

// Inputs appended at the end of the page: a stamp, a text, a paste, a
// duplicate, a run of clefs and barlines.
class AppendInputsCommand : public QUndoCommand {
 public:
  AppendInputsCommand(ScorePage &page, CanvasCache &cache, InputList inputs,
                      const QString &name);
  void redo() override;
  void undo() override;
  // How many went in the last time: fewer than asked when the page is full.
  int appended() const { return appended_; }

 private:
  ScorePage &page_;
  CanvasCache &cache_;
  InputList inputs_;
  int first_ = 0;
  int appended_ = 0;
};

// Inputs taken out of the page wherever they are: delete, cut, step erase,
// the last input.
class RemoveInputsCommand : public QUndoCommand {
 public:
  // `indices` ascending, each an input of the page.
  RemoveInputsCommand(ScorePage &page, CanvasCache &cache, QList<int> indices,
                      const QString &name);
  void redo() override;
  void undo() override;

 private:
  ScorePage &page_;
  CanvasCache &cache_;
  QList<int> indices_;
  InputList removed_;
};

// Inputs moved by a number of pixels: a region move, the whole-page shift.
// Every place moved must be a number that stays one after the move; the
// caller checks that before the push.
class MovePlacesCommand : public QUndoCommand {
 public:
  // The inputs at `indices` (ascending), which join the move before them
  // when that moved the same inputs: a run of arrow presses is one step.
  MovePlacesCommand(ScorePage &page, CanvasCache &cache, QList<int> indices,
                    int dx, int dy);
  // Every input `dy` pixels down, a step of its own.
  MovePlacesCommand(ScorePage &page, CanvasCache &cache, int dy);
  void redo() override;
  void undo() override;
  int id() const override { return every_ ? -1 : MoveId; }
  bool mergeWith(const QUndoCommand *other) override;

 private:
  static constexpr int MoveId = 1;
  void move(int dx, int dy, bool restoring);

  ScorePage &page_;
  CanvasCache &cache_;
  QList<int> indices_;
  int dx_, dy_;
  bool every_;
  // Places written otherwise than as a plain number ("+5", " 7"), by input
  // index times 2 plus 1 for Y: a move writes plain numbers, and undo puts
  // these back as they were.
  QHash<qint64, QByteArray> originals_;
};

// A new size of the staff paper.
class PaperSizeCommand : public QUndoCommand {
 public:
  PaperSizeCommand(ScorePage &page, CanvasCache &cache, int staffCount,
                   int staffWidth);
  void redo() override;
  void undo() override;

 private:
  void set(int staffCount, int staffWidth);

  ScorePage &page_;
  CanvasCache &cache_;
  int oldCount_, oldWidth_, newCount_, newWidth_;
};
