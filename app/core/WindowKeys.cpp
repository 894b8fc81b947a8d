#include "app/core/WindowKeys.h"

#include "app/core/CourseNavigator.h"
#include "app/core/Playback.h"

WindowKeyAction pressWindowKey(CourseNavigator &navigator, Playback &playback,
                               KeyWindow window, int key,
                               Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers held =
      modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const bool main = window == KeyWindow::Main;
  if (held == Qt::ControlModifier) {
    if (key == Qt::Key_Comma && navigator.active())
      navigator.goToPreviousPage();
    if (key == Qt::Key_Period && navigator.active()) navigator.goToNextPage();
    return WindowKeyAction::None;
  }
  if (held != Qt::NoModifier) return WindowKeyAction::None;
  switch (key) {
    // The memo pages through its own text with these.
    case Qt::Key_PageUp:
      return main ? WindowKeyAction::ScrollUp : WindowKeyAction::None;
    case Qt::Key_PageDown:
      return main ? WindowKeyAction::ScrollDown : WindowKeyAction::None;
    case Qt::Key_End:
      return main ? WindowKeyAction::ScrollRight : WindowKeyAction::None;
    case Qt::Key_Home:
      return main ? WindowKeyAction::ScrollLeft : WindowKeyAction::None;
    case Qt::Key_F1:
      return WindowKeyAction::ShowKeyHelp;
    case Qt::Key_F2:
      return main ? WindowKeyAction::ShowTextWindow
                  : WindowKeyAction::HideTextWindow;
    case Qt::Key_F3:
      if (playback.hasPiece()) playback.playOrStop();
      break;
    case Qt::Key_F4:
      if (playback.hasPiece()) playback.rewind();
      break;
    case Qt::Key_F11:
      if (navigator.active()) navigator.goToPreviousPage();
      break;
    case Qt::Key_F12:
      if (navigator.active()) navigator.goToNextPage();
      break;
    default:
      break;
  }
  return WindowKeyAction::None;
}
