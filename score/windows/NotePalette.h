#pragma once

#include "score/windows/ModeWindow.h"

class QButtonGroup;
class QListWidget;
class QToolButton;

// The note palette: the glyph buttons and the symbol and digit lists. It is
// shown exactly while note mode is on. It reports the user's choices; the
// glyph they select is decided by whoever listens.
class NotePaletteWindow : public ModeWindow {
  Q_OBJECT
 public:
  static constexpr int ClientHeight = 193;
  // Client widths with the list in view and folded away (only the glyph
  // buttons, "Undo" and the fold button remain).
  static constexpr int ListShownWidth = 136;
  static constexpr int ListHiddenWidth = 49;

  explicit NotePaletteWindow(QWidget &main);

 signals:
  // Glyph button `tag` (1..14) was chosen.
  void paletteButtonChosen(int tag);
  // Item `item` of the list in view was chosen.
  void listItemChosen(int item);
  // The symbol list (true) or the digit list came into view.
  void symbolListShown(bool symbols);
  void undoClicked();

 private:
  QToolButton *undoButton = nullptr;        // "Undo"
  QToolButton *listFoldButton = nullptr;    // list shown / folded
  QToolButton *symbolListButton = nullptr;  // "記号"
  QToolButton *timeListButton = nullptr;    // "拍子"
  QListWidget *glyphList = nullptr;
  // The glyph buttons, by their tags 1 to 14.
  QButtonGroup *glyphGroup = nullptr;
  QButtonGroup *listChoiceGroup = nullptr;

  QToolButton *glyphButton(int tag) const;

  void chooseGlyphButton(int tag);  // every glyph button
  void askUndo();
  void foldOrUnfoldList();
  void showSymbolList();
  void showTimeList();
  void chooseListItem(int item);

  void buildControls();
  void fillList(const QStringList &items);

  bool symbolsShown_ = true;
  bool fillingList_ = false;
};
