#include "app/core/PageInput.h"

#include "app/core/Document.h"
#include "base/core/Messages.h"
#include "score/core/PaletteGlyphs.h"
#include "score/core/StaffGrid.h"
#include "score/core/TextEntry.h"

PageInput::PageInput(Document &document) : doc_(document) {
  qRegisterMetaType<CanvasCursor>();
  qRegisterMetaType<EditMode>();
}

void PageInput::setMode(EditMode mode) {
  if (mode == mode_) return;
  const EditMode left = mode_;
  mode_ = mode;
  doc_.editor_.NoteMode = mode == EditMode::Note;
  doc_.editor_.LetterMode = mode == EditMode::Letter;
  doc_.editor_.RectMode = mode == EditMode::Rect;
  emit modeChanged(mode);
  switch (mode) {
    case EditMode::Note:
      selectPaletteGlyph();
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
  if (left == EditMode::Rect) doc_.regions_.dropFrame();
}

void PageInput::toggleMode(EditMode mode) {
  setMode(mode_ == mode ? EditMode::None : mode);
}

void PageInput::modeWindowHidden(EditMode mode) {
  if (mode_ == mode) setMode(EditMode::None);
}

void PageInput::setCursor(CanvasCursor cursor) {
  cursor_ = cursor;
  emit cursorChanged(cursor);
}

void PageInput::mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers,
                             QPoint position) {
  const int x = position.x(), y = position.y();
  if (doc_.editor_.RectMode && button == Qt::LeftButton)
    doc_.regions_.pressBand(position);
  if (doc_.editor_.LetterMode && button == Qt::LeftButton) placeText(x, y);
  if (doc_.editor_.NoteMode) {
    if (button == Qt::RightButton) {
      doc_.editor_.FlipToggle = 1 - doc_.editor_.FlipToggle;
      selectPaletteGlyph();
    } else if (button == Qt::LeftButton) {
      stampGlyph(x, y);
    }
  }
}

void PageInput::mouseMoved(Qt::MouseButtons, QPoint position) {
  if (doc_.editor_.RectMode) doc_.regions_.moveBand(position);
}

void PageInput::mouseReleased(Qt::MouseButton button, QPoint position) {
  if (doc_.editor_.RectMode && button == Qt::LeftButton)
    doc_.regions_.releaseBand(position);
}

void PageInput::stampGlyph(int x, int y) {
  doc_.appendInput(glyphContent(doc_.editor_.CurrentGlyph), x,
                   snapToStaffGrid(y));
  doc_.setModified(true);
}

void PageInput::placeText(int x, int y) {
  if (letterText_.isEmpty()) {
    doc_.messages_.beep();
    emit letterTextWanted();
    return;
  }
  QString unheld;
  const QByteArray content =
      text_entry::inputTextFromTyped(letterText_, &unheld);
  if (!unheld.isEmpty()) {
    // Placing it would lose characters without a trace.
    doc_.messages_.error(text_entry::unheldMessage(unheld));
    emit letterTextWanted();
    return;
  }
  doc_.appendInput(content, x, y);
  doc_.setModified(true);
}

void PageInput::choosePaletteButton(int tag) {
  doc_.editor_.PaletteButtonActive = true;
  doc_.editor_.PaletteTag = tag;
  selectPaletteGlyph();
}

void PageInput::chooseListItem(int item) {
  doc_.editor_.PaletteButtonActive = false;
  doc_.editor_.CurrentGlyph =
      doc_.editor_.SymbolListShown ? palette_glyphs::forSymbol(item) : item;
  showGlyphCursor();
}

bool PageInput::showSymbolList(bool symbols) {
  if (doc_.editor_.SymbolListShown == symbols) return false;
  doc_.editor_.SymbolListShown = symbols;
  return true;
}

void PageInput::selectPaletteGlyph() {
  if (doc_.editor_.PaletteButtonActive) {
    const int glyph = palette_glyphs::forButton(doc_.editor_.PaletteTag,
                                                doc_.editor_.FlipToggle);
    if (glyph >= 0) doc_.editor_.CurrentGlyph = glyph;
  }
  showGlyphCursor();
}

void PageInput::showGlyphCursor() {
  setCursor({CanvasCursor::Shape::Glyph, doc_.editor_.CurrentGlyph});
}
