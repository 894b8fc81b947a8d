#include "app/core/CourseNavigator.h"

#include <QDir>
#include <QFileInfo>

#include "app/core/Document.h"
#include "app/core/DocumentView.h"
#include "app/core/SettingsFile.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "base/core/QuotedInput.h"
#include "files/core/ContentsFile.h"

namespace {
const QString VrnSection = QStringLiteral("Vrn");
}

void CourseNavigator::open(const QString &path) {
  const bool wasContentsMode = active_;
  course_.switchTo(path);
  doc_.setContentsMode(true);
  if (!course_.PreviousContentsPath.isEmpty())
    doc_.session_.settings().writeInteger(
        VrnSection, CourseContents::rememberKey(course_.PreviousContentsPath),
        course_.ContentsIndex);
  if (!readContents()) {
    // The page on screen stays, and so does the course it came from.
    course_.switchBack();
    doc_.setContentsMode(wasContentsMode);
    return;
  }
  selectEntry(course_.firstEntry(doc_.session_.settings().readInteger(
      VrnSection, CourseContents::rememberKey(course_.ContentsPath), 0)));
  showTitle();
  if (course_.ContentsPath.toLower() !=
      doc_.session_.defaultContentsPath().toLower())
    doc_.session_.addRecentFile(course_.ContentsPath);
}

bool CourseNavigator::readContents() {
  QString error, unheld;
  if (!course_.read(&error, &unheld)) {
    doc_.messages_.generalError(error);
    return false;
  }
  if (course_.UnreadFrom > 0)
    doc_.messages_.warning(
        contentsCutMessage(course_.ContentsPath, course_.UnreadFrom));
  if (!unheld.isEmpty())
    doc_.messages_.warning(
        QStringLiteral("目次ファイルのうち、次の文字は扱えないため"
                       "「?」として読みました: %1")
            .arg(quoted_input::head(unheld)));
  QStringList entries;
  for (const QByteArray &entry : course_.ContentsEntries)
    entries << cp932::toUnicode(entry);
  selectedEntry_ = -1;
  emit listChanged(entries);
  return true;
}

void CourseNavigator::selectEntry(int index) {
  selectedEntry_ = index;
  emit selectionChanged(index);
  if (!doc_.askSaveQuestion()) {
    selectedEntry_ = course_.LoadedIndex;
    emit selectionChanged(selectedEntry_);
    return;
  }
  doc_.page_.PagePath = course_.pagePath(index);
  if (!QFileInfo(doc_.page_.PagePath).isFile()) {
    showMissingEntry(index);
    return;
  }
  doc_.load();
  course_.ContentsIndex = course_.LoadedIndex = index;
}

void CourseNavigator::showMissingEntry(int index) {
  const bool listed = index >= 0 && index < course_.ContentsEntries.size();
  const QString missing =
      QDir(course_.ContentsFolder).relativeFilePath(course_.pagePath(index));
  doc_.messages_.error(
      listed ? QStringLiteral("Vrnファイルに記述されたファイル「%1」が"
                              "見つかりません。")
                   .arg(missing)
             : QStringLiteral(
                   "Vrnファイルに記述されたファイルが見つかりません。"));
  doc_.newPage();
  if (!listed) return;
  // One missing page is no reason to lose the rest of the course: the list
  // and the page buttons stay, with the missing entry chosen.
  doc_.setContentsMode(true);
  showTitle();
  course_.LoadedIndex = index;
  selectedEntry_ = index;
  emit selectionChanged(index);
}

void CourseNavigator::goToPreviousPage() {
  const std::optional<int> previous = course_.previous(selectedEntry_);
  if (!previous) {
    doc_.messages_.beep();
    return;
  }
  selectEntry(*previous);
}

void CourseNavigator::goToNextPage() {
  const std::optional<int> next = course_.next(selectedEntry_);
  if (!next) {
    doc_.messages_.beep();
    return;
  }
  selectEntry(*next);
}

void CourseNavigator::showTitle() { doc_.view_.showCaption(course_.caption()); }
