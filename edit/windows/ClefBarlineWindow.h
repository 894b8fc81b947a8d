#pragma once

#include <QWidget>

class TForm1;

// The clef and barline window: lays out clefs and barlines for a run of
// staves in one step.
class TForm6 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm6(TForm1 &main);

 private:
  TForm1 &main_;
};
