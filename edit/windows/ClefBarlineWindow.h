#pragma once

#include <QWidget>

// The clef and barline window: lays out clefs and barlines for a run of
// staves in one step.
class TForm6 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm6(QWidget &main);
};
