// The document's course: a contents file in the tool bar's list, and the
// page buttons.
#include <QDir>
#include <QFileInfo>

#include "app/core/Document.h"
#include "app/core/SettingsFile.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "base/core/QuotedInput.h"
#include "files/core/ContentsFile.h"

namespace {
const QString VrnSection = QStringLiteral("Vrn");
}

void Document::OpenContents(const QString &path) {
  const bool wasContentsMode = contentsMode_;
  course_.switchTo(path);
  setContentsMode(true);
  if (!course_.PreviousContentsPath.isEmpty())
    settings_.writeInteger(
        VrnSection, CourseContents::rememberKey(course_.PreviousContentsPath),
        course_.ContentsIndex);
  if (!ReadContents()) {
    // The page on screen stays, and so does the course it came from.
    course_.switchBack();
    setContentsMode(wasContentsMode);
    return;
  }
  selectEntry(course_.firstEntry(settings_.readInteger(
      VrnSection, CourseContents::rememberKey(course_.ContentsPath), 0)));
  showContentsTitle();
  if (course_.ContentsPath.toLower() != DefaultContentsPath().toLower())
    AddRecentFile(course_.ContentsPath);
}

bool Document::ReadContents() {
  QString error, unheld;
  if (!course_.read(&error, &unheld)) {
    messages_.generalError(error);
    return false;
  }
  if (course_.UnreadFrom > 0)
    messages_.warning(
        contentsCutMessage(course_.ContentsPath, course_.UnreadFrom));
  if (!unheld.isEmpty())
    messages_.warning(
        QStringLiteral("目次ファイルのうち、次の文字は扱えないため"
                       "「?」として読みました: %1")
            .arg(quoted_input::head(unheld)));
  QStringList entries;
  for (const QByteArray &entry : course_.ContentsEntries)
    entries << cp932::toUnicode(entry);
  selectedEntry_ = -1;
  emit contentsListChanged(entries);
  return true;
}

void Document::selectEntry(int index) {
  selectedEntry_ = index;
  emit contentsSelectionChanged(index);
  if (!askSaveQuestion()) {
    selectedEntry_ = course_.LoadedIndex;
    emit contentsSelectionChanged(selectedEntry_);
    return;
  }
  page_.PagePath = course_.pagePath(index);
  if (!QFileInfo(page_.PagePath).isFile()) {
    showMissingEntry(index);
    return;
  }
  LoadPage();
  course_.ContentsIndex = course_.LoadedIndex = index;
}

void Document::showMissingEntry(int index) {
  const bool listed = index >= 0 && index < course_.ContentsEntries.size();
  const QString missing =
      QDir(course_.ContentsFolder).relativeFilePath(course_.pagePath(index));
  messages_.error(
      listed ? QStringLiteral("Vrnファイルに記述されたファイル「%1」が"
                              "見つかりません。")
                   .arg(missing)
             : QStringLiteral(
                   "Vrnファイルに記述されたファイルが見つかりません。"));
  NewPage();
  if (!listed) return;
  // One missing page is no reason to lose the rest of the course: the list
  // and the page buttons stay, with the missing entry chosen.
  setContentsMode(true);
  showContentsTitle();
  course_.LoadedIndex = index;
  selectedEntry_ = index;
  emit contentsSelectionChanged(index);
}

void Document::SpeedButton4Click() {
  const std::optional<int> previous = course_.previous(selectedEntry_);
  if (!previous) {
    messages_.beep();
    return;
  }
  selectEntry(*previous);
}

void Document::SpeedButton5Click() {
  const std::optional<int> next = course_.next(selectedEntry_);
  if (!next) {
    messages_.beep();
    return;
  }
  selectEntry(*next);
}

void Document::showContentsTitle() { setCaption(course_.caption()); }
