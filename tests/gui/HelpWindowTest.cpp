#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWidget>

#include "app/windows/HelpWindow.h"
#include "support/TestFiles.h"

namespace {

const QString shippedHelp =
    QStringLiteral(VARNEL_PROGRAM_FOLDER) + QStringLiteral("VRN32.HLP");

QTextBrowser *browserOf(HelpWindow &window) {
  return window.findChild<QTextBrowser *>(QStringLiteral("Browser"));
}

// The links to places in the help, and the places it names.
void linksAndAnchors(const QTextDocument &document, QStringList *links,
                     QStringList *anchors) {
  for (QTextBlock block = document.begin(); block.isValid();
       block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (format.anchorHref().startsWith(QLatin1Char('#')))
        *links << format.anchorHref().mid(1);
      *anchors << format.anchorNames();
    }
  }
}

}  // namespace

TEST(HelpWindow, ShowsTheShippedHelpWithItsHeadings) {
  QWidget owner;
  HelpWindow *window = HelpWindow::showFor(owner, shippedHelp);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Varnel ヘルプ"));
  const QString text = browserOf(*window)->toPlainText();
  for (const char *shown :
       {"キー操作", "F3", "テキスト表示=F2　MIDI演奏=F3,F4　ページ移動=F11,F12",
        "GM音源の初期化", "一行の文字数設定", "Executive Option"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown;
  // Read as Markdown, not shown as its source.
  EXPECT_FALSE(text.contains(QStringLiteral("## ")));
  EXPECT_FALSE(text.contains(QStringLiteral("|---|")));
}

TEST(HelpWindow, EveryLinkInTheHelpLeadsToAHeading) {
  HelpWindow window(nullptr, shippedHelp);
  QStringList links, anchors;
  linksAndAnchors(*browserOf(window)->document(), &links, &anchors);
  EXPECT_FALSE(links.isEmpty());
  for (const QString &link : links)
    EXPECT_TRUE(anchors.contains(link)) << link.toStdString();
}

TEST(HelpWindow, AMissingFileIsNamedInTheWindow) {
  ScratchDir scratch;
  const QString missing = scratch.file(QStringLiteral("VRN32.HLP"));
  HelpWindow window(nullptr, missing);
  EXPECT_EQ(
      browserOf(window)->toPlainText(),
      QStringLiteral("ヘルプ・ファイル「%1」が見つかりません。").arg(missing));
}

TEST(HelpWindow, AskingAgainBringsBackTheSameWindow) {
  QWidget owner;
  HelpWindow *first = HelpWindow::showFor(owner, shippedHelp);
  first->close();
  HelpWindow *second = HelpWindow::showFor(owner, shippedHelp);
  EXPECT_EQ(second, first);
  EXPECT_TRUE(second->isVisible());
  EXPECT_EQ(owner.findChildren<HelpWindow *>().size(), 1);
}
