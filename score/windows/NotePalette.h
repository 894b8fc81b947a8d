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
  // The glyph buttons carry the tags 1 to 14.
  QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr,
              *SpeedButton3 = nullptr, *SpeedButton4 = nullptr,
              *SpeedButton5 = nullptr, *SpeedButton6 = nullptr,
              *SpeedButton7 = nullptr, *SpeedButton8 = nullptr,
              *SpeedButton9 = nullptr, *SpeedButton10 = nullptr,
              *SpeedButton11 = nullptr, *SpeedButton12 = nullptr,
              *SpeedButton13 = nullptr, *SpeedButton14 = nullptr;
  QToolButton *SpeedButton15 = nullptr;  // "Undo"
  QToolButton *SpeedButton16 = nullptr;  // list shown / folded
  QToolButton *SpeedButton17 = nullptr;  // "記号"
  QToolButton *SpeedButton18 = nullptr;  // "拍子"
  QListWidget *ListBox1 = nullptr;
  QButtonGroup *GlyphButtons = nullptr;
  QButtonGroup *ListButtons = nullptr;

  QToolButton *glyphButton(int tag) const;

  void SpeedButton1Click(int tag);  // every glyph button
  void SpeedButton15Click();
  void SpeedButton16Click();
  void SpeedButton17Click();
  void SpeedButton18Click();
  void ListBox1Click(int item);

  void buildControls();
  void fillList(const QStringList &items);

  bool symbolsShown_ = true;
  bool fillingList_ = false;
};
