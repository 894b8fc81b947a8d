#pragma once

#include "score/windows/ModeWindow.h"

class TForm1;

// The rectangle edit window: region commands on the selected rectangle. It
// is shown exactly while rectangle mode is on.
class TForm9 : public ModeWindow {
  Q_OBJECT
 public:
  explicit TForm9(TForm1 &main);

 private:
  void FormShow() override;
  void FormHide() override;

  TForm1 &main_;
};
