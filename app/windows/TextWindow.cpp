#include "app/windows/TextWindow.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/core/Messages.h"
#include "app/core/SettingsFile.h"
#include "app/windows/MainWindow.h"
#include "files/core/Cp932.h"
#include "score/core/TextEntry.h"
#include "score/render/PageFonts.h"

TForm3::TForm3(TForm1 &main)
    : QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint), main_(main) {
  setWindowTitle(QStringLiteral(" "));
  FormCreate();
  Memo1 = new QPlainTextEdit(this);
  Memo1->setFont(page_fonts::mincho12());
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Memo1);
  connect(Memo1, &QPlainTextEdit::textChanged, this, &TForm3::Memo1Change);
}

void TForm3::FormCreate() {
  SettingsFile &settings = main_.settings();
  const QString section = QStringLiteral("TextForm");
  move(settings.readInteger(section, QStringLiteral("Left"), 14),
       settings.readInteger(section, QStringLiteral("Top"), 309));
  resize(settings.readInteger(section, QStringLiteral("Width"), 500),
         settings.readInteger(section, QStringLiteral("Height"), 136));
}

QByteArray TForm3::pageText() const {
  if (!edited_) return programText_;
  return text_entry::pageTextFromTyped(Memo1->toPlainText());
}

void TForm3::setPageText(const QByteArray &text) {
  QString shown = cp932::toUnicode(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  settingText_ = true;
  Memo1->setPlainText(shown);
  settingText_ = false;
  programText_ = text;
  edited_ = false;
  main_.page.Modified = true;
}

void TForm3::setReadOnly(bool readOnly) { Memo1->setReadOnly(readOnly); }

void TForm3::Memo1Change() {
  if (!settingText_) {
    edited_ = true;
    // Characters the page file cannot hold are named once, as soon as they
    // are typed; the box waits until the edit has finished.
    const QString unheld = text_entry::unheldCharacters(Memo1->toPlainText());
    if (!unheld.isEmpty() && unheld != reportedUnheld_) {
      QTimer::singleShot(0, this, [this, unheld] {
        main_.messages().error(text_entry::unheldMessage(unheld));
      });
    }
    reportedUnheld_ = unheld;
  }
  main_.page.Modified = true;
}

void TForm3::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  main_.SpeedButton3->setChecked(true);
  main_.TextWindow1->setChecked(true);
}

void TForm3::hideEvent(QHideEvent *event) {
  QWidget::hideEvent(event);
  main_.SpeedButton3->setChecked(false);
  main_.TextWindow1->setChecked(false);
}
