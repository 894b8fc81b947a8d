#pragma once

#include <QDialog>

#include "edit/core/ClefsAndBarlines.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;
class TypedSpinEdit;

// The clef and barline dialog: lays out clefs and barlines for a run of
// staves in one step. It is made once and reused, so its choices stay
// from one use to the next.
class ClefBarlineWindow : public QDialog {
  Q_OBJECT
 public:
  explicit ClefBarlineWindow(QWidget &main);

  clefs_and_barlines::Choice choice() const;

 signals:
  // "OK" with these choices.
  void confirmed(const clefs_and_barlines::Choice &choice);

 private:
  QGroupBox *radioGroup(const char *name, const QString &caption,
                        const QStringList &items, const QRect &place,
                        int checked, QButtonGroup **group);
  void followBarlineChoice();
  void confirm();

  QButtonGroup *clefChoice = nullptr;             // clef
  QButtonGroup *barlineChoice = nullptr;          // barlines
  QButtonGroup *stavesPerSystemChoice = nullptr;  // staves per system
  QGroupBox *systemBox_ = nullptr;
  TypedSpinEdit *firstStaffEdit = nullptr;  // first staff
  TypedSpinEdit *staffCountEdit = nullptr;  // number of staves
  QPushButton *okButton = nullptr;
  QPushButton *cancelButton = nullptr;
};
