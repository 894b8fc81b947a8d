#pragma once

#include <QWidget>

class QPlainTextEdit;
class TForm1;

// The text window: the page text of the open page in a memo, beside the
// staff paper.
class TForm3 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm3(TForm1 &main);

  QPlainTextEdit *Memo1;

  // The page text as code page 932 bytes with CR LF line ends. Text set by
  // the program comes back byte for byte until the user edits it.
  QByteArray pageText() const;
  void setPageText(const QByteArray &text);
  void setReadOnly(bool readOnly);

 protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

 private:
  void FormCreate();
  void Memo1Change();

  TForm1 &main_;
  QByteArray programText_;
  bool edited_ = false;
  bool settingText_ = false;
  QString reportedUnheld_;
};
