#pragma once

#include <QWidget>

class TForm1;

// The letter input window: the text that a click places on the page.
class TForm5 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm5(TForm1 &main);

 private:
  TForm1 &main_;
};
