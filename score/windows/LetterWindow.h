#pragma once

#include "score/windows/ModeWindow.h"

class QLineEdit;
class QToolButton;
class TForm1;

// The letter input window: the text that a click places on the page. It is
// shown exactly while letter mode is on.
class TForm5 : public ModeWindow {
  Q_OBJECT
 public:
  explicit TForm5(TForm1 &main);

  QLineEdit *Edit1 = nullptr;
  QToolButton *SpeedButton1 = nullptr;  // "Clear"
  QToolButton *SpeedButton2 = nullptr;  // "Undo"

  void SpeedButton1Click();
  void SpeedButton2Click();
  // Brings the window forward with the keyboard in the text field.
  void focusText();

 private:
  void FormShow() override;
  void FormHide() override;

  TForm1 &main_;
};
