#include "app/core/PageCommands.h"

#include <charconv>

#include "app/core/CanvasCache.h"
#include "score/core/Decimal.h"
#include "score/core/ScorePage.h"

// --- Appending
// ----------------------------------------------------------------

AppendInputsCommand::AppendInputsCommand(ScorePage &page, CanvasCache &cache,
                                         InputList inputs, const QString &name)
    : QUndoCommand(name),
      page_(page),
      cache_(cache),
      inputs_(std::move(inputs)) {}

void AppendInputsCommand::redo() {
  first_ = page_.count();
  appended_ = 0;
  for (int i = 0; i < inputs_.count(); ++i) {
    if (!page_.Inputs.append(inputs_.content(i), inputs_.x(i), inputs_.y(i)))
      break;  // the page is full
    ++appended_;
  }
  cache_.inputsAppended(first_);
}

void AppendInputsCommand::undo() {
  page_.Inputs.truncate(first_);
  cache_.inputsChanged();
}

// --- Removing
// -----------------------------------------------------------------

RemoveInputsCommand::RemoveInputsCommand(ScorePage &page, CanvasCache &cache,
                                         QList<int> indices,
                                         const QString &name)
    : QUndoCommand(name),
      page_(page),
      cache_(cache),
      indices_(std::move(indices)) {}

void RemoveInputsCommand::redo() {
  removed_ = page_.Inputs.take(indices_);
  cache_.inputsChanged();
}

void RemoveInputsCommand::undo() {
  page_.Inputs.restore(indices_, removed_);
  removed_.clear();
  cache_.inputsChanged();
}

// --- Moving
// -------------------------------------------------------------------

MovePlacesCommand::MovePlacesCommand(ScorePage &page, CanvasCache &cache,
                                     QList<int> indices, int dx, int dy)
    : QUndoCommand(QStringLiteral("移動")),
      page_(page),
      cache_(cache),
      indices_(std::move(indices)),
      dx_(dx),
      dy_(dy),
      every_(false) {}

MovePlacesCommand::MovePlacesCommand(ScorePage &page, CanvasCache &cache,
                                     int dy)
    : QUndoCommand(QStringLiteral("全体シフト")),
      page_(page),
      cache_(cache),
      dx_(0),
      dy_(dy),
      every_(true) {}

void MovePlacesCommand::redo() { move(dx_, dy_, false); }

void MovePlacesCommand::undo() { move(-dx_, -dy_, true); }

bool MovePlacesCommand::mergeWith(const QUndoCommand *other) {
  const auto *next = static_cast<const MovePlacesCommand *>(other);
  if (&next->page_ != &page_ || next->indices_ != indices_) return false;
  dx_ += next->dx_;
  dy_ += next->dy_;
  // A place this step left alone may have been written oddly until the
  // next step moved it.
  for (auto it = next->originals_.cbegin(); it != next->originals_.cend(); ++it)
    if (!originals_.contains(it.key())) originals_.insert(it.key(), *it);
  return true;
}

void MovePlacesCommand::move(int dx, int dy, bool restoring) {
  const InputList &inputs = page_.Inputs;
  const bool every = every_;
  // The numbers are written on the stack: a shift of the whole page writes
  // two for every input.
  char place[2][12];
  const auto written = [](char *to, int value) {
    return QByteArrayView(to, std::to_chars(to, to + 12, value).ptr - to);
  };
  const auto moved = [&](int i, int column, QByteArrayView text,
                         int step) -> QByteArrayView {
    if (step == 0) return text;
    const qint64 key = 2 * qint64(i) + column;
    if (restoring) {
      const auto original = originals_.constFind(key);
      if (original != originals_.cend()) return *original;
    }
    const std::optional<int> value = parseDecimal(text);
    if (!value) return text;  // checked before the push; never here
    if (!restoring && written(place[column], *value) != text)
      originals_.insert(key, text.toByteArray());
    return written(place[column], *value + step);
  };
  InputList result;
  result.reserve(inputs.byteCount() + inputs.count(), inputs.count());
  for (int i = 0, k = 0; i < inputs.count(); ++i) {
    const bool chosen = every || (k < indices_.size() && indices_[k] == i);
    if (chosen) {
      const QByteArrayView x = moved(i, 0, inputs.x(i), dx);
      const QByteArrayView y = moved(i, 1, inputs.y(i), dy);
      result.append(inputs.content(i), x, y);
    } else {
      result.append(inputs.content(i), inputs.x(i), inputs.y(i));
    }
    k += chosen && !every;
  }
  page_.Inputs = std::move(result);
  if (every)
    cache_.wholePageChanged();
  else
    cache_.inputsChanged();
}

// --- The paper
// ----------------------------------------------------------------

PaperSizeCommand::PaperSizeCommand(ScorePage &page, CanvasCache &cache,
                                   int staffCount, int staffWidth)
    : QUndoCommand(QStringLiteral("五線紙の設定")),
      page_(page),
      cache_(cache),
      oldCount_(page.StaffCount),
      oldWidth_(page.StaffWidth),
      newCount_(staffCount),
      newWidth_(staffWidth) {}

void PaperSizeCommand::redo() { set(newCount_, newWidth_); }

void PaperSizeCommand::undo() { set(oldCount_, oldWidth_); }

void PaperSizeCommand::set(int staffCount, int staffWidth) {
  page_.StaffCount = staffCount;
  page_.StaffWidth = staffWidth;
  cache_.wholePageChanged();
}
