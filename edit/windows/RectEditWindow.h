#pragma once

#include <QWidget>

class TForm1;

// The rectangle edit window: region commands on the selected rectangle.
class TForm9 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm9(TForm1 &main);

 private:
  TForm1 &main_;
};
