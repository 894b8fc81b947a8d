// The main window's note and letter input: the three edit modes and the
// mouse on the canvas.
#include <QAction>
#include <QLineEdit>

#include "app/core/Messages.h"
#include "app/windows/MainWindow.h"
#include "edit/windows/RectEditWindow.h"
#include "score/core/PaletteGlyphs.h"
#include "score/core/StaffGrid.h"
#include "score/core/TextEntry.h"
#include "score/windows/CanvasView.h"
#include "score/windows/LetterWindow.h"
#include "score/windows/NotePalette.h"

namespace {

// A mode switch: the check mark is reversed and the window follows it. The
// check mark always mirrors the window (its show and hide handlers see to
// that), so reversing it is setting it to the opposite of the window; this
// holds whether the menu item has already toggled itself or the tool bar
// button was pressed.
void toggleToolWindow(QAction *item, QWidget *window) {
  if (!window) return;
  item->setChecked(!window->isVisible());
  window->setVisible(item->isChecked());
}

}  // namespace

void TForm1::Palette1Click() { toggleToolWindow(Palette1, Form2); }

void TForm1::Letter1Click() { toggleToolWindow(Letter1, Form5); }

void TForm1::Rect1Click() { toggleToolWindow(Rect1, Form9); }

void TForm1::Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers,
                             QPoint position) {
  const int x = position.x(), y = position.y();
  if (editor.LetterMode && button == Qt::LeftButton) PlaceText(x, y);
  if (editor.NoteMode) {
    if (button == Qt::RightButton) {
      editor.FlipToggle = 1 - editor.FlipToggle;
      SelectPaletteGlyph();
      InstallGlyphCursor();
    } else if (button == Qt::LeftButton) {
      StampGlyph(x, y);
    }
  }
}

void TForm1::StampGlyph(int x, int y) {
  appendInput(glyphContent(editor.CurrentGlyph), x, snapToStaffGrid(y));
  Image1->repaint();
  page.Modified = true;
}

void TForm1::PlaceText(int x, int y) {
  const QString typed = Form5 ? Form5->Edit1->text() : QString();
  if (typed.isEmpty()) {
    messages_.beep();
    if (Form5) Form5->focusText();
    return;
  }
  QString unheld;
  const QByteArray content = text_entry::inputTextFromTyped(typed, &unheld);
  if (!unheld.isEmpty()) {
    // Placing it would lose characters without a trace.
    messages_.error(text_entry::unheldMessage(unheld));
    Form5->focusText();
    return;
  }
  appendInput(content, x, y);
  page.Modified = true;
}

void TForm1::SelectPaletteGlyph() {
  if (editor.PaletteButtonActive) {
    const int glyph =
        palette_glyphs::forButton(editor.PaletteTag, editor.FlipToggle);
    if (glyph >= 0) editor.CurrentGlyph = glyph;
  }
  InstallGlyphCursor();
}

void TForm1::InstallGlyphCursor() {
  Image1CursorId = cursorTable.registerGlyphCursor(editor.CurrentGlyph);
  Image1->setCursor(cursorTable.cursor(Image1CursorId));
}

void TForm1::setCanvasCursor(Qt::CursorShape shape) {
  Image1CursorId = 0;
  Image1->setCursor(shape);
}

void TForm1::Undo1Click() {
  const int count = page.count();
  if (count == 0) {
    messages_.beep();
    return;
  }
  page.removeAt(count - 1);
  RedrawPaper();
  ReplayInputs();
  page.Modified = true;
}
