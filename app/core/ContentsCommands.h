#pragma once

#include <QUndoCommand>

#include "files/core/ContentsDocument.h"

// A step of a course's history: one splice of the contents file's lines,
// keeping only the lines it took out and put in.
class ContentsEditCommand : public QUndoCommand {
 public:
  // What merges with the step before it: typing on in the title or note
  // field is one step.
  enum class Kind { Other = -1, Title = 1, Note = 2 };

  ContentsEditCommand(ContentsDocument &contents, ContentsSplice splice,
                      const QString &name, Kind kind = Kind::Other,
                      QUndoCommand *parent = nullptr);
  void redo() override;
  void undo() override;
  int id() const override { return static_cast<int>(kind_); }
  bool mergeWith(const QUndoCommand *other) override;

 private:
  ContentsDocument &contents_;
  ContentsSplice splice_;
  Kind kind_;
};
