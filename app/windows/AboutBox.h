#pragma once

#include <QDialog>

class Document;
class QCheckBox;
class QLabel;
class QMouseEvent;
class QPushButton;

// The About box: the program's name and version, the note of the course
// that is open, and the two switches an author needs: the Executive
// option (the check box) and the administrator mode (Ctrl held while the
// mouse is released over "OK").
class AboutBox : public QDialog {
  Q_OBJECT
 public:
  AboutBox(QWidget *parent, Document &document);

 protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private slots:
  void FormShow();
  void FormHide();
  void confirm();

 private:
  void buildControls();
  void centreOnScreen();
  void Button1MouseUp(const QMouseEvent &event);

  Document &document_;
  QLabel *courseNoteLabel = nullptr;  // the course's note, under "DataFile :"
  QCheckBox *executiveBox = nullptr;
  QPushButton *okButton = nullptr;
};
