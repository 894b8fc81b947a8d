#pragma once

// The editor's state beside the page; none of it is stored in a page file.
struct EditorState {
  int CurrentGlyph = 0;
  int FlipToggle = 0;  // 1 picks stem-down notes and the long tie above
  int PaletteTag = 3;  // the quarter-note button starts pressed
  bool PaletteButtonActive = true;
  bool SymbolListShown = true;
  bool LetterMode = false;
  bool NoteMode = false;
  bool RectMode = false;
  bool AdministratorMode = false;
};
