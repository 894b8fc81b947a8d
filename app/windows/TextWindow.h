#pragma once

#include <QWidget>

class Document;
class QPlainTextEdit;

// The text window: the page text of the open page in a memo, beside the
// staff paper. The document holds the text; the memo shows it and hands
// the user's typing back.
class TextWindow : public QWidget {
  Q_OBJECT
 public:
  TextWindow(QWidget &main, Document &document);

 signals:
  // Shown (true) or hidden; the tool bar button and the menu item follow.
  void visibilityChanged(bool shown);

 protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

 private:
  void FormCreate();
  void Memo1Change();
  void showPageText(const QByteArray &text);

  Document &document_;
  QPlainTextEdit *Memo1;
  bool settingText_ = false;
};
