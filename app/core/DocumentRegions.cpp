// The document's rectangle editing: the rubber band on the canvas, the
// selection and its frame, and the region commands with the clipboard.
#include <algorithm>
#include <climits>

#include "app/core/Document.h"
#include "app/core/DocumentView.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "edit/core/RegionText.h"
#include "score/core/Decimal.h"
#include "score/core/StaffLimits.h"
#include "score/core/TextEntry.h"

namespace {

enum Edge { Left, Top, Right, Bottom };

bool fitsInt(qint64 value) { return value >= INT_MIN && value <= INT_MAX; }

}  // namespace

// --- The rubber band --------------------------------------------------------

void Document::Image1MouseMove(Qt::MouseButtons, QPoint position) {
  if (editor_.RectMode && Dragging) moveRubberBand(position);
}

void Document::Image1MouseUp(Qt::MouseButton button, QPoint position) {
  // A release that ends no drag of ours (the page changed under the
  // button) selects nothing.
  if (editor_.RectMode && button == Qt::LeftButton && Dragging)
    endRubberBand(position);
}

void Document::startRubberBand(QPoint position) {
  SelectionList.clear();
  int *rect = editor_.SelectionRect;
  if (Dragging)  // the release of the last drag never came
    view_.drawXorFrame(rect[Left], rect[Top], DragPoint.x(), DragPoint.y());
  else if (editor_.hasSelection())
    drawSelectionFrame();  // takes the old frame away
  rect[Left] = position.x();
  rect[Top] = position.y();
  DragPoint = position;
  Dragging = true;
  emit canvasChanged();
}

void Document::moveRubberBand(QPoint position) {
  const int *rect = editor_.SelectionRect;
  view_.drawXorFrame(rect[Left], rect[Top], DragPoint.x(), DragPoint.y());
  view_.drawXorFrame(rect[Left], rect[Top], position.x(), position.y());
  DragPoint = position;
  emit canvasChanged();
}

void Document::endRubberBand(QPoint position) {
  // The band is brought to where the button was let go, so that the frame
  // left on the canvas is the rectangle kept.
  if (position != DragPoint) moveRubberBand(position);
  Dragging = false;
  int *rect = editor_.SelectionRect;
  rect[Right] = position.x();
  rect[Bottom] = position.y();
  if (rect[Right] < rect[Left]) std::swap(rect[Left], rect[Right]);
  if (rect[Bottom] < rect[Top]) std::swap(rect[Top], rect[Bottom]);
  if (rect[Right] == rect[Left] || rect[Bottom] == rect[Top]) {
    editor_.clearSelection();
    DisableSelectionButtons();
    return;
  }
  SelectInRect();
  if (SelectionList.isEmpty())
    DisableSelectionButtons();
  else
    EnableSelectionButtons();
}

void Document::SelectInRect() {
  SelectionList.clear();
  const int *rect = editor_.SelectionRect;
  const InputList &inputs = page_.Inputs;
  for (int i = 0; i < inputs.count(); ++i) {
    // An input whose place is not a number is nowhere, so never inside.
    const std::optional<int> x = parseDecimal(inputs.x(i));
    const std::optional<int> y = parseDecimal(inputs.y(i));
    if (x && y && rect[Left] < *x && *x < rect[Right] && rect[Top] < *y &&
        *y < rect[Bottom])
      SelectionList.append(i);
  }
}

void Document::SelectAll1Click() {
  const QPoint corner(page_.StaffWidth,
                      staff_limits::canvasHeight(page_.StaffCount));
  Image1MouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(0, 0));
  Image1MouseMove(Qt::LeftButton, corner);
  Image1MouseUp(Qt::LeftButton, corner);
}

// --- The frame and the buttons ----------------------------------------------

void Document::drawSelectionFrame() {
  const int *rect = editor_.SelectionRect;
  view_.drawXorFrame(rect[Left], rect[Top], rect[Right], rect[Bottom]);
  emit canvasChanged();
}

void Document::RedrawWithSelection() {
  RedrawPaper();
  ReplayInputs();
  setModified(true);
  drawSelectionFrame();
}

void Document::Redraw1Click() {
  RedrawPaper();
  editor_.clearSelection();
  ReplayInputs();
  DisableSelectionButtons();
}

void Document::dropSelectionFrame() {
  // A pasted region may have no frame (its rectangle all 0) and still be
  // selected: it is let go all the same.
  if (editor_.hasSelection() || Dragging) {
    RedrawPaper();
    editor_.clearSelection();
    ReplayInputs();
    Dragging = false;
  }
  DisableSelectionButtons();
}

void Document::EnableSelectionButtons() { setSelectionButtons(true); }

void Document::DisableSelectionButtons() {
  // No command can reach the selection until a new one is made, and the
  // page may change meanwhile: it is let go with the buttons.
  SelectionList.clear();
  setSelectionButtons(false);
}

void Document::setSelectionButtons(bool enabled) {
  selectionButtons_ = enabled;
  emit selectionButtonsChanged(enabled);
}

bool Document::selectionInPage() {
  for (int index : SelectionList) {
    if (index < 0 || index >= page_.count()) {
      DisableSelectionButtons();
      return false;
    }
  }
  return true;
}

// --- Moves ------------------------------------------------------------------

void Document::moveSelection(MoveArrow arrow, Qt::KeyboardModifiers modifiers) {
  MoveSelection(region_moves::isVertical(arrow),
                region_moves::step(arrow, modifiers));
}

void Document::MoveSelection(bool vertical, int step) {
  if (!selectionInPage()) return;
  const InputList &inputs = page_.Inputs;
  // Every new place is worked out before anything moves: a move that
  // cannot be written as a whole number moves nothing.
  QList<QByteArray> moved;
  for (int index : SelectionList) {
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
    moved.append(QByteArray::number(*value + step));
  }
  int *rect = editor_.SelectionRect;
  const Edge low = vertical ? Top : Left, high = vertical ? Bottom : Right;
  for (Edge edge : {low, high}) {
    if (!fitsInt(qint64(rect[edge]) + step)) {
      messages_.error(region_moves::noFurtherMessage());
      return;
    }
  }
  InputList result;
  result.reserve(inputs.byteCount() + moved.size(), inputs.count());
  for (int i = 0, k = 0; i < inputs.count(); ++i) {
    const bool selected = k < SelectionList.size() && SelectionList[k] == i;
    const QByteArrayView x =
        selected && !vertical ? QByteArrayView(moved[k]) : inputs.x(i);
    const QByteArrayView y =
        selected && vertical ? QByteArrayView(moved[k]) : inputs.y(i);
    result.append(inputs.content(i), x, y);
    k += selected;
  }
  page_.Inputs = std::move(result);
  rect[low] += step;
  rect[high] += step;
  RedrawWithSelection();
}

// --- Region commands --------------------------------------------------------

void Document::CopySelection() {
  if (!selectionInPage()) return;
  region_text::Region region;
  std::copy_n(editor_.SelectionRect, 4, region.rect.begin());
  const InputList &inputs = page_.Inputs;
  for (int index : SelectionList)
    region.inputs.append(inputs.content(index), inputs.x(index),
                         inputs.y(index));
  const QByteArray bytes = region_text::compose(region);
  const QString text = cp932::toUnicode(bytes);
  // The mirror keeps these very bytes, so a paste in this program gives
  // back what was copied even where two byte codes read as one character.
  setClipboardMirror(text, bytes);
  view_.setClipboardText(text);
}

void Document::PasteRegion() {
  if (!pasteEnabled_) return;
  if (!mirror_.converted) {
    // Converted only now: another program's text may be megabytes long.
    bool held = true;
    mirror_.bytes = cp932::fromUnicode(mirror_.text, &held);
    mirror_.unheld =
        held ? QString() : text_entry::unheldCharacters(mirror_.text);
    mirror_.converted = true;
  }
  if (!mirror_.unheld.isEmpty()) {
    messages_.error(text_entry::unheldMessage(mirror_.unheld));
    return;
  }
  const region_text::Parsed parsed = region_text::parse(mirror_.bytes);
  if (!parsed.ok) {
    messages_.notAnInteger(cp932::toUnicode(parsed.notANumber));
    return;
  }
  SelectionList.clear();
  const int first = page_.count();
  const InputList &pasted = parsed.region.inputs;
  for (int i = 0; i < pasted.count(); ++i) {
    if (!page_.Inputs.append(pasted.content(i), pasted.x(i), pasted.y(i)))
      break;  // the page is full
    SelectionList.append(first + i);
  }
  std::copy(parsed.region.rect.begin(), parsed.region.rect.end(),
            editor_.SelectionRect);
  EnableSelectionButtons();
  RedrawWithSelection();
}

void Document::DuplicateSelection() {
  if (!selectionInPage()) return;
  for (int index : SelectionList) {
    // Copied out first: appending moves the page's bytes.
    const QByteArray content = page_.Inputs.content(index).toByteArray();
    const QByteArray x = page_.Inputs.x(index).toByteArray();
    const QByteArray y = page_.Inputs.y(index).toByteArray();
    if (!page_.Inputs.append(content, x, y)) break;
  }
  RedrawWithSelection();
}

void Document::DeleteSelection() {
  if (!selectionInPage()) return;
  const InputList &inputs = page_.Inputs;
  QList<bool> selected(inputs.count(), false);
  for (int index : SelectionList) selected[index] = true;
  InputList kept;
  kept.reserve(inputs.byteCount(), inputs.count());
  for (int i = 0; i < inputs.count(); ++i)
    if (!selected[i]) kept.append(inputs.content(i), inputs.x(i), inputs.y(i));
  page_.Inputs = std::move(kept);
  RedrawPaper();
  editor_.clearSelection();
  ReplayInputs();
  setModified(true);
  DisableSelectionButtons();
}

void Document::CutSelection() {
  CopySelection();
  DeleteSelection();
}

// --- The clipboard ----------------------------------------------------------

void Document::clipboardChanged() {
  const QString text = view_.clipboardText();
  // Our own copy coming back keeps the bytes it was made from; another
  // program's text is converted when Paste is pressed.
  if (text != mirror_.text) mirror_ = {text, {}, {}, false};
  updatePasteEnabled();
}

void Document::setClipboardMirror(const QString &text,
                                  const QByteArray &bytes) {
  mirror_ = {text, bytes, {}, true};
  updatePasteEnabled();
}

void Document::updatePasteEnabled() {
  // The first line decides, and only its head can be the marker: one
  // character past the marker tells whether the line ends there.
  const QString head = mirror_.text.left(region_text::Marker.size() + 1);
  pasteEnabled_ = region_text::isRegionText(cp932::fromUnicode(head));
  emit pasteEnabledChanged(pasteEnabled_);
}
