#pragma once

#include "score/windows/ModeWindow.h"

// The rectangle edit window: region commands on the selected rectangle. It
// is shown exactly while rectangle mode is on.
class TForm9 : public ModeWindow {
  Q_OBJECT
 public:
  explicit TForm9(QWidget &main);
};
