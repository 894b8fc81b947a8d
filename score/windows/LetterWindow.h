#pragma once

#include "score/windows/ModeWindow.h"

class QLineEdit;
class QToolButton;

// The letter input window: the text that a click places on the page. It is
// shown exactly while letter mode is on.
class LetterWindow : public ModeWindow {
  Q_OBJECT
 public:
  explicit LetterWindow(QWidget &main);

  // Brings the window forward with the keyboard in the text field.
  void focusText();

 signals:
  void textChanged(const QString &text);
  void undoClicked();

 private:
  void clearText();

  QLineEdit *letterText = nullptr;
  QToolButton *clearButton = nullptr;  // "Clear"
  QToolButton *undoButton = nullptr;   // "Undo"
};
