// The main window's contents navigation: a course's contents file in the
// tool bar's list, and the page buttons.
#include <QComboBox>
#include <QFile>
#include <QFileInfo>

#include "app/core/Messages.h"
#include "app/core/SettingsFile.h"
#include "app/windows/MainWindow.h"
#include "files/core/ContentsFile.h"
#include "files/core/Cp932.h"

namespace {
const QString VrnSection = QStringLiteral("Vrn");
}

void TForm1::OpenContents(const QString &path) {
  const bool wasContentsMode = ContentsMode;
  PreviousContentsPath = ContentsPath;
  ContentsPath = path;
  ContentsMode = true;
  UpdateContentsControls();
  if (!PreviousContentsPath.isEmpty())
    settings_.writeInteger(
        VrnSection, QFileInfo(PreviousContentsPath).fileName(), ContentsIndex);
  if (!ReadContents()) {
    // The page on screen stays, and so does the course it came from.
    ContentsPath = PreviousContentsPath;
    ContentsMode = wasContentsMode;
    UpdateContentsControls();
    return;
  }
  ComboBox1->setCurrentIndex(ContentsEntries.isEmpty() ? -1 : 0);
  int remembered =
      settings_.readInteger(VrnSection, QFileInfo(ContentsPath).fileName(), 0);
  if (remembered < 0 || remembered >= ContentsEntries.size()) remembered = 0;
  if (!ContentsEntries.isEmpty()) ComboBox1->setCurrentIndex(remembered);
  LoadSelectedEntry();
  ShowContentsTitle();
  if (ContentsPath.toLower() != DefaultContentsPath().toLower())
    AddRecentFile(ContentsPath);
}

bool TForm1::ReadContents() {
  QFile file(ContentsPath);
  if (!file.open(QIODevice::ReadOnly)) {
    messages_.generalError(file.errorString());
    return false;
  }
  const ContentsData data = parseContents(file);
  if (data.failed) {
    messages_.generalError(file.errorString());
    return false;
  }
  ComboBox1->clear();
  ContentsEntries = data.entries;
  for (const QByteArray &entry : ContentsEntries)
    ComboBox1->addItem(cp932::toUnicode(entry));
  ContentsNote = data.note;
  ContentsTitle = data.title;
  ContentsFolder = QFileInfo(ContentsPath).absolutePath() + QLatin1Char('/');
  return true;
}

void TForm1::LoadSelectedEntry() {
  if (!askSaveQuestion()) {
    ComboBox1->setCurrentIndex(LoadedIndex);
    return;
  }
  const int selected = ComboBox1->currentIndex();
  const QByteArray entry = selected >= 0 && selected < ContentsEntries.size()
                               ? ContentsEntries.at(selected)
                               : QByteArray();
  page.PagePath = entryPagePath(ContentsFolder, entry);
  if (!QFileInfo(page.PagePath).isFile()) {
    messages_.error(
        QStringLiteral("Vrnファイルに記述されたファイルが見つかりません。"));
    NewPage();
    return;
  }
  LoadPage();
  ContentsIndex = LoadedIndex = selected;
  if (ComboBox1->hasFocus()) Panel1->setFocus();
}

void TForm1::SpeedButton4Click() {
  const int selected = ComboBox1->currentIndex();
  if (selected == 0) {
    messages_.beep();
    return;
  }
  ComboBox1->setCurrentIndex(selected > 0 ? selected - 1 : -1);
  LoadSelectedEntry();
}

void TForm1::SpeedButton5Click() {
  const int selected = ComboBox1->currentIndex();
  if (selected == ComboBox1->count() - 1) {
    messages_.beep();
    return;
  }
  ComboBox1->setCurrentIndex(selected + 1);
  LoadSelectedEntry();
}

void TForm1::ShowContentsTitle() {
  setCaption(ContentsTitle.isEmpty() ? QFileInfo(ContentsPath).fileName()
                                     : cp932::toUnicode(ContentsTitle));
}

void TForm1::Varnel1Click() {
  if (QFileInfo(DefaultContentsPath()).isFile())
    OpenFile(DefaultContentsPath());
  else
    messages_.error(QStringLiteral("ファイルが見つかりません。"));
}
