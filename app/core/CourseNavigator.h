#pragma once

#include <QObject>
#include <QStringList>

#include "files/core/CourseContents.h"

class DocumentView;
class Messages;
class PageSwitch;
class ProgramSession;
class ScorePage;

// A course: its contents file in the tool bar's list, the page chosen in
// it and the page buttons.
class CourseNavigator : public QObject {
  Q_OBJECT
 public:
  CourseNavigator(ScorePage &page, Messages &messages, DocumentView &view,
                  ProgramSession &session, PageSwitch &pages);

  const CourseContents &course() const { return course_; }
  // The page shown is a page of the course.
  bool active() const { return active_; }
  int selectedEntry() const { return selectedEntry_; }

  // Opens a contents file and the page it was left at.
  void open(const QString &path);
  // The list's choice: loads entry `index` after the save question; on
  // Cancel the list goes back to the page shown.
  void selectEntry(int index);
  void goToPreviousPage();
  void goToNextPage();
  // The page shown becomes (or stops being) a page of the course; out of
  // the course, the caption names the page again.
  void setActive(bool on);
  // The contents file at `path` was written anew: when it is the open
  // course, the list, the title and the remembered page follow at once,
  // the page on screen staying chosen wherever it now stands.
  void followSavedContents(const QString &path);
  // A page from outside the course: the course's note no longer applies.
  void clearNote() { course_.ContentsNote.clear(); }

 signals:
  // The list, the page buttons and "save as" follow.
  void activeChanged(bool on);
  void listChanged(const QStringList &entries);
  void selectionChanged(int index);

 private:
  bool readContents();
  // An entry whose page file is missing: said, and an empty page shown.
  void showMissingEntry(int index);
  void showTitle();

  ScorePage &page_;
  Messages &messages_;
  DocumentView &view_;
  ProgramSession &session_;
  PageSwitch &pages_;
  CourseContents course_;
  bool active_ = false;
  int selectedEntry_ = -1;
};
