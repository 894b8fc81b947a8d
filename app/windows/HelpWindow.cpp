#include "app/windows/HelpWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent, const QString &helpFilePath)
    : QDialog(parent, Qt::Window | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Varnel ヘルプ"));
  setModal(false);
  resize(560, 640);
  Browser = new QTextBrowser(this);
  Browser->setObjectName(QStringLiteral("Browser"));
  Browser->setOpenLinks(true);
  Browser->setOpenExternalLinks(true);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Browser);
  loadHelp(helpFilePath);
}

HelpWindow *HelpWindow::showFor(QWidget &owner, const QString &helpFilePath) {
  auto *window =
      owner.findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly);
  if (!window) window = new HelpWindow(&owner, helpFilePath);
  window->showContents();
  return window;
}

void HelpWindow::showContents() {
  Browser->verticalScrollBar()->setValue(0);
  Browser->horizontalScrollBar()->setValue(0);
  show();
  raise();
  activateWindow();
}

void HelpWindow::loadHelp(const QString &helpFilePath) {
  const QString shownPath = QFileInfo(helpFilePath).absoluteFilePath();
  QFile file(helpFilePath);
  if (!file.exists()) {
    Browser->setPlainText(
        QStringLiteral("ヘルプ・ファイル「%1」が見つかりません。")
            .arg(shownPath));
    return;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    Browser->setPlainText(
        QStringLiteral("ヘルプ・ファイル「%1」を読めません。\n%2")
            .arg(shownPath, file.errorString()));
    return;
  }
  Browser->setMarkdown(QString::fromUtf8(file.readAll()));
  nameHeadings();
}

// Markdown gives headings no anchors of their own; each heading is named by
// its text, so that the help links to it as "[text](#text)".
void HelpWindow::nameHeadings() {
  QTextDocument *document = Browser->document();
  for (QTextBlock block = document->begin(); block.isValid();
       block = block.next()) {
    if (block.blockFormat().headingLevel() == 0) continue;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat anchor;
    anchor.setAnchor(true);
    anchor.setAnchorNames({block.text()});
    cursor.mergeCharFormat(anchor);
  }
}
