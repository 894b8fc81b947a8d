#pragma once

#include <QWidget>

class TForm1;

// The note palette: the glyph buttons and the symbol and digit lists.
class TForm2 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm2(TForm1 &main);

 private:
  TForm1 &main_;
};
