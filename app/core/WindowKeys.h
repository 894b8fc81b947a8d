#pragma once

#include <Qt>

class CourseNavigator;
class Playback;

// The two windows whose keys the program reads before their controls do.
enum class KeyWindow { Main, Text };

// What a key asks of the window it was pressed in; the keys that page the
// course or play the piece are run here.
enum class WindowKeyAction {
  None,
  ScrollUp,
  ScrollDown,
  ScrollRight,
  ScrollLeft,
  ShowKeyHelp,
  ShowTextWindow,
  HideTextWindow
};

// A key pressed in the main window or the text window, before the control
// with the focus sees it (it still does: no key is consumed).
WindowKeyAction pressWindowKey(CourseNavigator &navigator, Playback &playback,
                               KeyWindow window, int key,
                               Qt::KeyboardModifiers modifiers);
