#pragma once

// The three edit modes, each tied to its tool window; at most one is on.
enum class EditMode { None, Note, Letter, Rect };

// The editor's state beside the page; none of it is stored in a page file.
struct EditorState {
  int CurrentGlyph = 0;
  int FlipToggle = 0;  // 1 picks stem-down notes and the long tie above
  int PaletteTag = 3;  // the quarter-note button starts pressed
  bool PaletteButtonActive = true;
  bool SymbolListShown = true;
  EditMode Mode = EditMode::None;
  bool AdministratorMode = false;
  // The selected rectangle (left, top, right, bottom); all 0 means none.
  int SelectionRect[4] = {0, 0, 0, 0};

  void clearSelection() {
    for (int &v : SelectionRect) v = 0;
  }
  bool hasSelection() const {
    return SelectionRect[0] || SelectionRect[1] || SelectionRect[2] ||
           SelectionRect[3];
  }
};
