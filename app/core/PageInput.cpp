#include "app/core/PageInput.h"

#include "app/core/PageChanges.h"
#include "app/core/RegionTool.h"
#include "base/core/Messages.h"
#include "score/core/EditorState.h"
#include "score/core/PaletteGlyphs.h"
#include "score/core/ScorePage.h"
#include "score/core/StaffGrid.h"
#include "score/core/TextEntry.h"

PageInput::PageInput(EditorState &editor, Messages &messages,
                     PageChanges &changes, RegionTool &regions)
    : editor_(editor),
      messages_(messages),
      changes_(changes),
      regions_(regions) {
  qRegisterMetaType<CanvasCursor>();
  qRegisterMetaType<EditMode>();
}

void PageInput::setEditable(bool editable) {
  editable_ = editable;
  if (!editable) setMode(EditMode::None);
}

void PageInput::setMode(EditMode mode) {
  if (!editable_ && mode != EditMode::None) {
    // The window that asked is put away again.
    emit modeChanged(editor_.Mode);
    return;
  }
  if (mode == editor_.Mode) return;
  const EditMode left = editor_.Mode;
  editor_.Mode = mode;
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
  if (left == EditMode::Rect) regions_.dropFrame();
}

void PageInput::toggleMode(EditMode mode) {
  setMode(editor_.Mode == mode ? EditMode::None : mode);
}

void PageInput::modeWindowHidden(EditMode mode) {
  if (editor_.Mode == mode) setMode(EditMode::None);
}

void PageInput::setCursor(CanvasCursor cursor) {
  cursor_ = cursor;
  emit cursorChanged(cursor);
}

void PageInput::mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers,
                             QPoint position) {
  const int x = position.x(), y = position.y();
  if (editor_.Mode == EditMode::Rect && button == Qt::LeftButton)
    regions_.pressBand(position);
  if (editor_.Mode == EditMode::Letter && button == Qt::LeftButton)
    placeText(x, y);
  if (editor_.Mode == EditMode::Note) {
    if (button == Qt::RightButton) {
      editor_.FlipToggle = 1 - editor_.FlipToggle;
      selectPaletteGlyph();
    } else if (button == Qt::LeftButton) {
      stampGlyph(x, y);
    }
  }
}

void PageInput::mouseMoved(Qt::MouseButtons, QPoint position) {
  if (editor_.Mode == EditMode::Rect) regions_.moveBand(position);
}

void PageInput::mouseReleased(Qt::MouseButton button, QPoint position) {
  if (editor_.Mode == EditMode::Rect && button == Qt::LeftButton)
    regions_.releaseBand(position);
}

void PageInput::stampGlyph(int x, int y) {
  InputList stamp;
  stamp.append(glyphContent(editor_.CurrentGlyph), x, snapToStaffGrid(y));
  changes_.appendInputs(std::move(stamp), QStringLiteral("音符入力"));
}

void PageInput::placeText(int x, int y) {
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
  InputList text;
  text.append(content, x, y);
  changes_.appendInputs(std::move(text), QStringLiteral("文字入力"));
}

void PageInput::choosePaletteButton(int tag) {
  editor_.PaletteButtonActive = true;
  editor_.PaletteTag = tag;
  selectPaletteGlyph();
}

void PageInput::chooseListItem(int item) {
  editor_.PaletteButtonActive = false;
  editor_.CurrentGlyph =
      editor_.SymbolListShown ? palette_glyphs::forSymbol(item) : item;
  showGlyphCursor();
}

bool PageInput::showSymbolList(bool symbols) {
  if (editor_.SymbolListShown == symbols) return false;
  editor_.SymbolListShown = symbols;
  return true;
}

void PageInput::selectPaletteGlyph() {
  if (editor_.PaletteButtonActive) {
    const int glyph =
        palette_glyphs::forButton(editor_.PaletteTag, editor_.FlipToggle);
    if (glyph >= 0) editor_.CurrentGlyph = glyph;
  }
  showGlyphCursor();
}

void PageInput::showGlyphCursor() {
  setCursor({CanvasCursor::Shape::Glyph, editor_.CurrentGlyph});
}
