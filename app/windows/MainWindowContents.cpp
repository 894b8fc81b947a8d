// The main window's contents navigation: a course's contents file in the
// tool bar's list, and the page buttons.
#include <QComboBox>
#include <QFileInfo>

#include "app/core/Messages.h"
#include "app/core/SettingsFile.h"
#include "app/windows/MainWindow.h"
#include "files/core/Cp932.h"

namespace {
const QString VrnSection = QStringLiteral("Vrn");
}

void TForm1::OpenContents(const QString &path) {
  const bool wasContentsMode = ContentsMode;
  course.switchTo(path);
  ContentsMode = true;
  UpdateContentsControls();
  if (!course.PreviousContentsPath.isEmpty())
    settings_.writeInteger(
        VrnSection, CourseContents::rememberKey(course.PreviousContentsPath),
        course.ContentsIndex);
  if (!ReadContents()) {
    // The page on screen stays, and so does the course it came from.
    course.switchBack();
    ContentsMode = wasContentsMode;
    UpdateContentsControls();
    return;
  }
  ComboBox1->setCurrentIndex(course.firstEntry(settings_.readInteger(
      VrnSection, CourseContents::rememberKey(course.ContentsPath), 0)));
  LoadSelectedEntry();
  ShowContentsTitle();
  if (course.ContentsPath.toLower() != DefaultContentsPath().toLower())
    AddRecentFile(course.ContentsPath);
}

bool TForm1::ReadContents() {
  QString error;
  if (!course.read(&error)) {
    messages_.generalError(error);
    return false;
  }
  ComboBox1->clear();
  for (const QByteArray &entry : course.ContentsEntries)
    ComboBox1->addItem(cp932::toUnicode(entry));
  return true;
}

void TForm1::LoadSelectedEntry() {
  if (!askSaveQuestion()) {
    ComboBox1->setCurrentIndex(course.LoadedIndex);
    return;
  }
  const int selected = ComboBox1->currentIndex();
  page.PagePath = course.pagePath(selected);
  if (!QFileInfo(page.PagePath).isFile()) {
    messages_.error(
        QStringLiteral("Vrnファイルに記述されたファイルが見つかりません。"));
    NewPage();
    return;
  }
  LoadPage();
  course.ContentsIndex = course.LoadedIndex = selected;
  if (ComboBox1->hasFocus()) Panel1->setFocus();
}

void TForm1::SpeedButton4Click() {
  const std::optional<int> previous =
      course.previous(ComboBox1->currentIndex());
  if (!previous) {
    messages_.beep();
    return;
  }
  ComboBox1->setCurrentIndex(*previous);
  LoadSelectedEntry();
}

void TForm1::SpeedButton5Click() {
  const std::optional<int> next = course.next(ComboBox1->currentIndex());
  if (!next) {
    messages_.beep();
    return;
  }
  ComboBox1->setCurrentIndex(*next);
  LoadSelectedEntry();
}

void TForm1::ShowContentsTitle() { setCaption(course.caption()); }

void TForm1::Varnel1Click() {
  if (QFileInfo(DefaultContentsPath()).isFile())
    OpenFile(DefaultContentsPath());
  else
    messages_.error(QStringLiteral("ファイルが見つかりません。"));
}
