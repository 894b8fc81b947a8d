// The document's note and letter input: the three edit modes, the mouse on
// the canvas and the note palette's choices.
#include "app/core/Document.h"
#include "base/core/Messages.h"
#include "score/core/PaletteGlyphs.h"
#include "score/core/StaffGrid.h"
#include "score/core/TextEntry.h"

void Document::setMode(EditMode mode) {
  if (mode == mode_) return;
  const EditMode left = mode_;
  mode_ = mode;
  editor_.NoteMode = mode == EditMode::Note;
  editor_.LetterMode = mode == EditMode::Letter;
  editor_.RectMode = mode == EditMode::Rect;
  emit modeChanged(mode);
  switch (mode) {
    case EditMode::Note:
      SelectPaletteGlyph();
      break;
    case EditMode::Letter:
      setCursor({CanvasCursor::Shape::Cross});
      break;
    case EditMode::Rect:
      setCursor({CanvasCursor::Shape::UpArrow});
      break;
    case EditMode::None:
      setCursor({CanvasCursor::Shape::Arrow});
      break;
  }
  // Leaving rectangle mode takes the frame (or a band half drawn) off the
  // page once the buttons and the cursor have changed.
  if (left == EditMode::Rect) dropSelectionFrame();
}

void Document::toggleMode(EditMode mode) {
  setMode(mode_ == mode ? EditMode::None : mode);
}

void Document::modeWindowHidden(EditMode mode) {
  if (mode_ == mode) setMode(EditMode::None);
}

void Document::setCursor(CanvasCursor cursor) {
  cursor_ = cursor;
  emit canvasCursorChanged(cursor);
}

void Document::Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers,
                               QPoint position) {
  const int x = position.x(), y = position.y();
  if (editor_.RectMode && button == Qt::LeftButton) startRubberBand(position);
  if (editor_.LetterMode && button == Qt::LeftButton) PlaceText(x, y);
  if (editor_.NoteMode) {
    if (button == Qt::RightButton) {
      editor_.FlipToggle = 1 - editor_.FlipToggle;
      SelectPaletteGlyph();
    } else if (button == Qt::LeftButton) {
      StampGlyph(x, y);
    }
  }
}

void Document::StampGlyph(int x, int y) {
  appendInput(glyphContent(editor_.CurrentGlyph), x, snapToStaffGrid(y));
  setModified(true);
}

void Document::PlaceText(int x, int y) {
  if (letterText_.isEmpty()) {
    messages_.beep();
    emit letterTextWanted();
    return;
  }
  QString unheld;
  const QByteArray content =
      text_entry::inputTextFromTyped(letterText_, &unheld);
  if (!unheld.isEmpty()) {
    // Placing it would lose characters without a trace.
    messages_.error(text_entry::unheldMessage(unheld));
    emit letterTextWanted();
    return;
  }
  appendInput(content, x, y);
  setModified(true);
}

void Document::choosePaletteButton(int tag) {
  editor_.PaletteButtonActive = true;
  editor_.PaletteTag = tag;
  SelectPaletteGlyph();
}

void Document::chooseListItem(int item) {
  editor_.PaletteButtonActive = false;
  editor_.CurrentGlyph =
      editor_.SymbolListShown ? palette_glyphs::forSymbol(item) : item;
  InstallGlyphCursor();
}

bool Document::showSymbolList(bool symbols) {
  if (editor_.SymbolListShown == symbols) return false;
  editor_.SymbolListShown = symbols;
  return true;
}

void Document::SelectPaletteGlyph() {
  if (editor_.PaletteButtonActive) {
    const int glyph =
        palette_glyphs::forButton(editor_.PaletteTag, editor_.FlipToggle);
    if (glyph >= 0) editor_.CurrentGlyph = glyph;
  }
  InstallGlyphCursor();
}

void Document::InstallGlyphCursor() {
  setCursor({CanvasCursor::Shape::Glyph, editor_.CurrentGlyph});
}

void Document::Undo1Click() {
  const int count = page_.count();
  if (count == 0) {
    messages_.beep();
    return;
  }
  page_.removeAt(count - 1);
  FullRedraw();
  setModified(true);
}
