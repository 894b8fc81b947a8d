#pragma once

#include <QString>

// The caption a window shows while F1 is held, and the one it gets back
// when F1 is let go. The caption it replaced is kept in one slot for both
// windows that read the keys.
class KeyHelpCaption {
 public:
  static QString text();
  // While the key repeats, the caption saved at the first press stays.
  QString show(const QString &caption);
  QString restore(const QString &caption) const;

 private:
  QString saved_;
};
