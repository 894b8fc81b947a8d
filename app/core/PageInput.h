#pragma once

#include <QObject>
#include <QPoint>

#include "score/core/EditorState.h"

class Messages;
class PageChanges;
class RegionTool;

// The cursor the canvas shows: one of the toolkit's own, or a glyph's.
struct CanvasCursor {
  enum class Shape { Arrow, Cross, UpArrow, Glyph };
  Shape shape = Shape::Arrow;
  int glyph = 0;  // with Shape::Glyph
  bool operator==(const CanvasCursor &) const = default;
};

// Note and letter input: the edit modes, the mouse on the canvas and the
// note palette's choices.
class PageInput : public QObject {
  Q_OBJECT
 public:
  PageInput(EditorState &editor, Messages &messages, PageChanges &changes,
            RegionTool &regions);

  EditMode mode() const { return editor_.Mode; }
  CanvasCursor cursor() const { return cursor_; }

  // Switches a mode on (and the others off), or every mode off. A reader
  // (no Executive option) has no mode.
  void setMode(EditMode mode);
  // Whether the page may be edited at all; off, every mode goes off.
  void setEditable(bool editable);
  bool editable() const { return editable_; }
  // The menu item or tool bar button of a mode: on when it is off, else off.
  void toggleMode(EditMode mode);
  // A mode's window was shown or hidden (also by its close box).
  void modeWindowShown(EditMode mode) { setMode(mode); }
  void modeWindowHidden(EditMode mode);

  void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                    QPoint position);
  void mouseMoved(Qt::MouseButtons buttons, QPoint position);
  void mouseReleased(Qt::MouseButton button, QPoint position);

  // Palette button `tag` (1..14) was chosen.
  void choosePaletteButton(int tag);
  // Item `item` of the palette's list was chosen.
  void chooseListItem(int item);
  // Shows the symbol list (true) or the digit list; false when that list
  // was already shown.
  bool showSymbolList(bool symbols);
  // The text the letter window holds, placed by a click in letter mode.
  void setLetterText(const QString &text) { letterText_ = text; }

 signals:
  void modeChanged(EditMode mode);
  void cursorChanged(CanvasCursor cursor);
  // A click in letter mode found nothing to place.
  void letterTextWanted();

 private:
  void stampGlyph(int x, int y);
  void placeText(int x, int y);
  void selectPaletteGlyph();
  void showGlyphCursor();
  void setCursor(CanvasCursor cursor);

  EditorState &editor_;
  Messages &messages_;
  PageChanges &changes_;
  RegionTool &regions_;
  QString letterText_;
  bool editable_ = true;
  CanvasCursor cursor_;
};

Q_DECLARE_METATYPE(CanvasCursor)
Q_DECLARE_METATYPE(EditMode)
