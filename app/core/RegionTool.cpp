#include "app/core/RegionTool.h"

#include <algorithm>
#include <climits>

#include "app/core/DocumentView.h"
#include "app/core/PageChanges.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "edit/core/RegionText.h"
#include "score/core/Decimal.h"
#include "score/core/EditorState.h"
#include "score/core/ScorePage.h"
#include "score/core/StaffLimits.h"
#include "score/core/TextEntry.h"

namespace {

enum Edge { Left, Top, Right, Bottom };

bool fitsInt(qint64 value) { return value >= INT_MIN && value <= INT_MAX; }

}  // namespace

RegionTool::RegionTool(ScorePage &page, EditorState &editor, Messages &messages,
                       DocumentView &view, PageChanges &changes)
    : page_(page),
      editor_(editor),
      messages_(messages),
      view_(view),
      changes_(changes) {}

// --- The rubber band --------------------------------------------------------

void RegionTool::moveBand(QPoint position) {
  if (dragging_) dragBand(position);
}

void RegionTool::releaseBand(QPoint position) {
  // A release that ends no drag of ours (the page changed under the
  // button) selects nothing.
  if (dragging_) endBand(position);
}

void RegionTool::pressBand(QPoint position) {
  selection_.clear();
  int *rect = editor_.SelectionRect;
  if (dragging_)  // the release of the last drag never came
    view_.drawXorFrame(rect[Left], rect[Top], dragPoint_.x(), dragPoint_.y());
  else if (editor_.hasSelection())
    drawFrame();  // takes the old frame away
  rect[Left] = position.x();
  rect[Top] = position.y();
  dragPoint_ = position;
  dragging_ = true;
  changes_.canvasDrawn();
}

void RegionTool::dragBand(QPoint position) {
  const int *rect = editor_.SelectionRect;
  view_.drawXorFrame(rect[Left], rect[Top], dragPoint_.x(), dragPoint_.y());
  view_.drawXorFrame(rect[Left], rect[Top], position.x(), position.y());
  dragPoint_ = position;
  changes_.canvasDrawn();
}

void RegionTool::endBand(QPoint position) {
  // The band is brought to where the button was let go, so that the frame
  // left on the canvas is the rectangle kept.
  if (position != dragPoint_) dragBand(position);
  dragging_ = false;
  int *rect = editor_.SelectionRect;
  rect[Right] = position.x();
  rect[Bottom] = position.y();
  if (rect[Right] < rect[Left]) std::swap(rect[Left], rect[Right]);
  if (rect[Bottom] < rect[Top]) std::swap(rect[Top], rect[Bottom]);
  if (rect[Right] == rect[Left] || rect[Bottom] == rect[Top]) {
    editor_.clearSelection();
    disableSelectionCommands();
    return;
  }
  selectInRect();
  if (selection_.isEmpty())
    disableSelectionCommands();
  else
    setCommandsEnabled(true);
}

void RegionTool::selectInRect() {
  selection_.clear();
  const int *rect = editor_.SelectionRect;
  const InputList &inputs = page_.Inputs;
  for (int i = 0; i < inputs.count(); ++i) {
    // An input whose place is not a number is nowhere, so never inside.
    const std::optional<int> x = parseDecimal(inputs.x(i));
    const std::optional<int> y = parseDecimal(inputs.y(i));
    if (x && y && rect[Left] < *x && *x < rect[Right] && rect[Top] < *y &&
        *y < rect[Bottom])
      selection_.append(i);
  }
}

void RegionTool::selectAll() {
  // A drag over the whole canvas, which only the rectangle mode reads.
  if (editor_.Mode != EditMode::Rect) return;
  const QPoint corner(page_.StaffWidth,
                      staff_limits::canvasHeight(page_.StaffCount));
  pressBand(QPoint(0, 0));
  moveBand(corner);
  releaseBand(corner);
}

// --- The frame and the buttons ----------------------------------------------

void RegionTool::drawFrame() {
  const int *rect = editor_.SelectionRect;
  view_.drawXorFrame(rect[Left], rect[Top], rect[Right], rect[Bottom]);
  changes_.canvasDrawn();
}

void RegionTool::canvasRefreshed() {
  // The page was drawn anew under the rectangle: its frame goes back on.
  if (editor_.hasSelection()) drawFrame();
}

void RegionTool::redrawWithoutFrame() {
  editor_.clearSelection();
  changes_.redrawAll();
  disableSelectionCommands();
}

void RegionTool::dropFrame() {
  // A pasted region may have no frame (its rectangle all 0) and still be
  // selected: it is let go all the same.
  if (editor_.hasSelection() || dragging_) {
    editor_.clearSelection();
    changes_.redrawAll();
    dragging_ = false;
  }
  disableSelectionCommands();
}

void RegionTool::letGo() {
  // The selection names inputs by place in the list, which a step of the
  // history changes: it goes before the step, and the fresh canvas shows
  // no frame.
  editor_.clearSelection();
  dragging_ = false;
  disableSelectionCommands();
}

void RegionTool::disableSelectionCommands() {
  // No command can reach the selection until a new one is made, and the
  // page may change meanwhile: it is let go with the buttons.
  selection_.clear();
  setCommandsEnabled(false);
}

void RegionTool::setCommandsEnabled(bool enabled) {
  commandsEnabled_ = enabled;
  emit selectionCommandsChanged(enabled);
}

bool RegionTool::selectionInPage() {
  for (int index : selection_) {
    if (index < 0 || index >= page_.count()) {
      disableSelectionCommands();
      return false;
    }
  }
  return true;
}

// --- Moves ------------------------------------------------------------------

void RegionTool::moveByArrow(MoveArrow arrow, Qt::KeyboardModifiers modifiers) {
  shiftSelection(region_moves::isVertical(arrow),
                 region_moves::step(arrow, modifiers));
}

void RegionTool::shiftSelection(bool vertical, int step) {
  if (selection_.isEmpty() || !selectionInPage()) return;
  const InputList &inputs = page_.Inputs;
  // Every new place is worked out before anything moves: a move that
  // cannot be written as a whole number moves nothing.
  for (int index : selection_) {
    const QByteArrayView place = vertical ? inputs.y(index) : inputs.x(index);
    const std::optional<int> value = parseDecimal(place);
    if (!value) {
      messages_.notAnInteger(cp932::toUnicode(place.toByteArray()));
      return;
    }
    if (!fitsInt(qint64(*value) + step)) {
      messages_.error(region_moves::noFurtherMessage());
      return;
    }
  }
  int *rect = editor_.SelectionRect;
  const Edge low = vertical ? Top : Left, high = vertical ? Bottom : Right;
  for (Edge edge : {low, high}) {
    if (!fitsInt(qint64(rect[edge]) + step)) {
      messages_.error(region_moves::noFurtherMessage());
      return;
    }
  }
  rect[low] += step;
  rect[high] += step;
  // The frame goes with the inputs; a run of presses is one step.
  changes_.movePlaces(selection_, vertical ? 0 : step, vertical ? step : 0);
}

// --- Region commands --------------------------------------------------------

void RegionTool::copy() {
  if (!selectionInPage()) return;
  region_text::Region region;
  std::copy_n(editor_.SelectionRect, 4, region.rect.begin());
  const InputList &inputs = page_.Inputs;
  for (int index : selection_)
    region.inputs.append(inputs.content(index), inputs.x(index),
                         inputs.y(index));
  const QByteArray bytes = region_text::compose(region);
  const QString text = cp932::toUnicode(bytes);
  clipboard_.copied(text, bytes);
  updatePasteEnabled();
  view_.setClipboardText(text);
}

void RegionTool::paste() {
  if (!pasteEnabled_) return;
  // The whole text is fetched now. A text that is no region has come since
  // Paste was last told; its head, on its way, turns Paste off.
  if (!clipboard_.follow(view_.clipboardText())) return;
  const QString &unheld = clipboard_.convert();
  if (!unheld.isEmpty()) {
    messages_.error(text_entry::unheldMessage(unheld));
    return;
  }
  const region_text::Parsed parsed = region_text::parse(clipboard_.bytes());
  if (!parsed.ok) {
    messages_.notAnInteger(cp932::toUnicode(parsed.notANumber));
    return;
  }
  const int first = page_.count();
  std::copy(parsed.region.rect.begin(), parsed.region.rect.end(),
            editor_.SelectionRect);
  const int appended =
      changes_.appendInputs(parsed.region.inputs, QStringLiteral("貼り付け"));
  // What went in is selected (all of it unless the page is full).
  selection_.clear();
  for (int i = 0; i < appended; ++i) selection_.append(first + i);
  setCommandsEnabled(true);
}

void RegionTool::duplicate() {
  if (!selectionInPage()) return;
  const InputList &inputs = page_.Inputs;
  InputList copies;
  for (int index : selection_)
    copies.append(inputs.content(index), inputs.x(index), inputs.y(index));
  // The frame stays where it was, over the originals.
  changes_.appendInputs(std::move(copies), QStringLiteral("二重化"));
}

void RegionTool::remove() { removeSelection(QStringLiteral("削除")); }

void RegionTool::cut() {
  copy();
  removeSelection(QStringLiteral("切り取り"));
}

void RegionTool::removeSelection(const QString &name) {
  if (!selectionInPage()) return;
  const QList<int> chosen = selection_;
  editor_.clearSelection();
  disableSelectionCommands();
  changes_.removeInputs(chosen, name);
}

// --- The clipboard ----------------------------------------------------------

void RegionTool::clipboardChanged() {
  // Another program's clipboard may be slow to answer: Paste keeps its
  // state until the head of the new text comes, and a head that comes
  // after a newer change is let go.
  const int change = clipboard_.changed();
  view_.readClipboardHead(RegionClipboard::headLength(), this,
                          [this, change](const QString &head) {
                            if (clipboard_.heard(change, head))
                              updatePasteEnabled();
                          });
}

void RegionTool::updatePasteEnabled() {
  pasteEnabled_ = clipboard_.looksLikeRegion();
  emit pasteEnabledChanged(pasteEnabled_);
}
