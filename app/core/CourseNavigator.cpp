#include "app/core/CourseNavigator.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "app/core/DocumentView.h"
#include "app/core/PageSwitch.h"
#include "app/core/ProgramSession.h"
#include "app/core/SettingsFile.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "base/core/QuotedInput.h"
#include "files/core/ContentsFile.h"
#include "score/core/ScorePage.h"

namespace {
const QString VrnSection = QStringLiteral("Vrn");

bool sameFile(const QString &a, const QString &b) {
  const QString canonical = QFileInfo(a).canonicalFilePath();
  return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}
}  // namespace

CourseNavigator::CourseNavigator(ScorePage &page, Messages &messages,
                                 DocumentView &view, ProgramSession &session,
                                 PageSwitch &pages)
    : page_(page),
      messages_(messages),
      view_(view),
      session_(session),
      pages_(pages) {}

void CourseNavigator::open(const QString &path) {
  const bool wasContentsMode = active_;
  course_.switchTo(path);
  setActive(true);
  if (!course_.PreviousContentsPath.isEmpty())
    session_.settings().writeInteger(
        VrnSection, CourseContents::rememberKey(course_.PreviousContentsPath),
        course_.ContentsIndex);
  if (!readContents()) {
    // The page on screen stays, and so does the course it came from.
    course_.switchBack();
    setActive(wasContentsMode);
    return;
  }
  selectEntry(course_.firstEntry(session_.settings().readInteger(
      VrnSection, CourseContents::rememberKey(course_.ContentsPath), 0)));
  showTitle();
  if (course_.ContentsPath.toLower() !=
      session_.defaultContentsPath().toLower())
    session_.addRecentFile(course_.ContentsPath);
}

bool CourseNavigator::readContents() {
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
  emit listChanged(entries);
  return true;
}

void CourseNavigator::selectEntry(int index) {
  selectedEntry_ = index;
  emit selectionChanged(index);
  if (!pages_.askSaveQuestion()) {
    selectedEntry_ = course_.LoadedIndex;
    emit selectionChanged(selectedEntry_);
    return;
  }
  const QString path = course_.pagePath(index);
  if (!QFileInfo(path).isFile()) {
    showMissingEntry(index);
    return;
  }
  pages_.load(path);
  course_.ContentsIndex = course_.LoadedIndex = index;
}

void CourseNavigator::followSavedContents(const QString &path) {
  if (!sameFile(course_.ContentsPath, path)) return;
  const int before = course_.ContentsIndex;
  if (!readContents()) return;
  const auto shows = [&](int i) {
    return sameFile(course_.pagePath(i), page_.PagePath);
  };
  // The same place first: a page listed twice stays the entry it was.
  int index =
      before < course_.ContentsEntries.size() && shows(before) ? before : -1;
  for (int i = 0; index < 0 && i < course_.ContentsEntries.size(); ++i)
    if (shows(i)) index = i;
  if (index >= 0) {
    course_.ContentsIndex = course_.LoadedIndex = index;
  } else {
    // The page on screen left the course: nothing is chosen, and the
    // remembered page is one that still exists.
    course_.ContentsIndex = course_.LoadedIndex =
        std::max(0, course_.firstEntry(before));
  }
  selectedEntry_ = index >= 0 || active_ ? index : course_.ContentsIndex;
  emit selectionChanged(selectedEntry_);
  if (active_) showTitle();
}

void CourseNavigator::showMissingEntry(int index) {
  const bool listed = index >= 0 && index < course_.ContentsEntries.size();
  const QString missing =
      QDir(course_.ContentsFolder).relativeFilePath(course_.pagePath(index));
  messages_.error(
      listed ? QStringLiteral("Vrnファイルに記述されたファイル「%1」が"
                              "見つかりません。")
                   .arg(missing)
             : QStringLiteral(
                   "Vrnファイルに記述されたファイルが見つかりません。"));
  pages_.newPage();
  if (!listed) return;
  // One missing page is no reason to lose the rest of the course: the list
  // and the page buttons stay, with the missing entry chosen.
  setActive(true);
  showTitle();
  course_.LoadedIndex = index;
  selectedEntry_ = index;
  emit selectionChanged(index);
}

void CourseNavigator::goToPreviousPage() {
  const std::optional<int> previous = course_.previous(selectedEntry_);
  if (!previous) {
    messages_.beep();
    return;
  }
  selectEntry(*previous);
}

void CourseNavigator::goToNextPage() {
  const std::optional<int> next = course_.next(selectedEntry_);
  if (!next) {
    messages_.beep();
    return;
  }
  selectEntry(*next);
}

void CourseNavigator::showTitle() { view_.showCaption(course_.caption()); }

void CourseNavigator::setActive(bool on) {
  active_ = on;
  emit activeChanged(on);
  if (on) return;
  if (!page_.CaptionPath.isEmpty()) {
    view_.showCaption(QFileInfo(page_.CaptionPath).fileName());
  } else {
    view_.showCaption(session_.executive() ? QStringLiteral("(NewFile)")
                                           : QStringLiteral("(NoFile)"));
  }
}
