// The main window's note and letter input: the three edit modes and the
// mouse on the canvas.
#include "app/core/Messages.h"
#include "app/windows/MainWindow.h"

void TForm1::Palette1Click() {}
void TForm1::Letter1Click() {}
void TForm1::Rect1Click() {}
void TForm1::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {}
void TForm1::StampGlyph(int, int) {}
void TForm1::PlaceText(int, int) {}
void TForm1::SelectPaletteGlyph() {}
void TForm1::InstallGlyphCursor() {}
void TForm1::Undo1Click() { messages_.beep(); }
