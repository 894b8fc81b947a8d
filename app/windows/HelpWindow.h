#pragma once

#include <QDialog>

class QTextBrowser;

// The help window: the program's help file, our own Markdown text, shown
// beside the main window. There is one per owner; asking for it again
// brings the same window back to its contents.
class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  HelpWindow(QWidget *parent, const QString &helpFilePath);

  // The help window that belongs to `owner`, made on the first call, shown
  // at its contents and brought to the front.
  static HelpWindow *showFor(QWidget &owner, const QString &helpFilePath);

  // Shows the window at the top of the help and brings it to the front.
  void showContents();

 private:
  void loadHelp(const QString &helpFilePath);
  void nameHeadings();

  QTextBrowser *Browser = nullptr;
};
