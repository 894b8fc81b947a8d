#include "app/core/ContentsCommands.h"

ContentsEditCommand::ContentsEditCommand(ContentsDocument &contents,
                                         ContentsSplice splice,
                                         const QString &name, Kind kind,
                                         QUndoCommand *parent)
    : QUndoCommand(name, parent),
      contents_(contents),
      splice_(std::move(splice)),
      kind_(kind) {}

void ContentsEditCommand::redo() { contents_.apply(splice_); }

void ContentsEditCommand::undo() { contents_.revert(splice_); }

bool ContentsEditCommand::mergeWith(const QUndoCommand *other) {
  const auto *next = static_cast<const ContentsEditCommand *>(other);
  // Only a change of exactly the lines this step put in.
  if (next->splice_.at != splice_.at ||
      next->splice_.removed != splice_.inserted)
    return false;
  splice_.inserted = next->splice_.inserted;
  return true;
}
