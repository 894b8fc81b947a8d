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

  // At start-up the window waits for the main window's first paint:
  // showLater() asks for it to appear then, and finishStart() shows it and
  // puts the page text held back meanwhile into the memo; from then on the
  // memo follows the page at once. finishStart() is called after the first
  // paint, and by whoever wants the window before that.
  void showLater();
  void finishStart();

  void setVisible(bool visible) override;

 signals:
  // Shown (true) or hidden; the tool bar button and the menu item follow.
  void visibilityChanged(bool shown);

 protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

 private:
  void FormCreate();
  void Memo1Change();
  void showPageText(const QByteArray &text, bool whole);

  Document &document_;
  QPlainTextEdit *memo;
  bool settingText_ = false;
  // Until the main window has painted, the page text waits here: laying
  // it out in the memo loads most of the page font's glyphs.
  bool holdingText_ = true;
  // Asked to appear at start-up, and not yet shown.
  bool holdingWindow_ = false;
  QByteArray heldText_;
  // The memo shows the whole page text; only then can it be edited.
  bool wholeText_ = true;
};
