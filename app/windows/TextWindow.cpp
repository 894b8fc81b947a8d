#include "app/windows/TextWindow.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "app/core/Document.h"
#include "app/core/WindowLayout.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "score/core/TextEntry.h"
#include "score/render/PageFonts.h"

TextWindow::TextWindow(QWidget &main, Document &document)
    : QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint), document_(document) {
  setWindowTitle(QStringLiteral(" "));
  FormCreate();
  memo = new QPlainTextEdit(this);
  memo->setObjectName(QStringLiteral("Memo1"));
  memo->setFont(page_fonts::mincho12());
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setReadOnly(!document.session().executive());
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(memo);
  connect(memo, &QPlainTextEdit::textChanged, this, &TextWindow::Memo1Change);
  connect(&document, &Document::pageTextChanged, this,
          &TextWindow::showPageText);
  connect(
      &document.session(), &ProgramSession::executiveChanged, memo,
      [this](bool executive) { memo->setReadOnly(!executive || !wholeText_); });
  connect(&document, &Document::administratorModeEntered, this,
          [this] { setWindowTitle(QStringLiteral("Administrator")); });
  const QByteArray &text = document.page().PageText;
  const QByteArray shown = text_entry::shownHead(text);
  showPageText(shown, shown.size() == text.size());
}

void TextWindow::FormCreate() {
  const QRect bounds = window_layout::readText(document_.session().settings());
  move(bounds.topLeft());
  resize(bounds.size());
}

void TextWindow::showLater() { holdingWindow_ = true; }

void TextWindow::finishStart() {
  if (holdingWindow_) {
    // The main window keeps the focus it had on appearing first, where the
    // platform would give it to the window shown last.
    QWidget *main = parentWidget();
    const bool mainActive = main->isActiveWindow();
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    if (mainActive) main->activateWindow();
  }
  if (!holdingText_) return;
  holdingText_ = false;
  showPageText(std::exchange(heldText_, {}), wholeText_);
}

void TextWindow::showPageText(const QByteArray &text, bool whole) {
  wholeText_ = whole;
  memo->setReadOnly(!document_.session().executive() || !whole);
  if (holdingText_) {
    heldText_ = text;
    return;
  }
  QString shown = cp932::toUnicode(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  settingText_ = true;
  memo->setPlainText(shown);
  settingText_ = false;
}

void TextWindow::Memo1Change() {
  if (settingText_) return;
  const QString typed = memo->toPlainText();
  const QString unheld = document_.typePageText(typed);
  if (unheld.isEmpty()) return;
  // Characters the page file cannot hold leave the memo with the typing
  // or paste that brought them (one undo takes back both), so that the
  // screen shows what is saved; the box waits until the edit has finished.
  QTextCursor cursor(memo->document());
  cursor.joinPreviousEditBlock();
  const QList<text_entry::UnheldRun> runs = text_entry::unheldRuns(typed);
  settingText_ = true;
  for (auto run = runs.crbegin(); run != runs.crend(); ++run) {
    cursor.setPosition(run->start);
    cursor.setPosition(run->start + run->length, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
  cursor.endEditBlock();
  settingText_ = false;
  QTimer::singleShot(0, this, [this, unheld] {
    document_.messages().error(text_entry::unheldMessage(unheld));
  });
}

void TextWindow::setVisible(bool visible) {
  // Shown or hidden meanwhile, the window is no longer waiting.
  holdingWindow_ = false;
  QWidget::setVisible(visible);
}

void TextWindow::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  emit visibilityChanged(true);
}

void TextWindow::hideEvent(QHideEvent *event) {
  QWidget::hideEvent(event);
  emit visibilityChanged(false);
}
