#pragma once

#include <QObject>
#include <QStringList>

#include "files/core/CourseContents.h"

class Document;

// A course: its contents file in the tool bar's list, the page chosen in
// it and the page buttons.
class CourseNavigator : public QObject {
  Q_OBJECT
 public:
  explicit CourseNavigator(Document &document) : doc_(document) {}

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

 signals:
  // The list, the page buttons and "save as" follow.
  void activeChanged(bool on);
  void listChanged(const QStringList &entries);
  void selectionChanged(int index);

 private:
  friend class Document;
  friend class FileCommands;

  bool readContents();
  // An entry whose page file is missing: said, and an empty page shown.
  void showMissingEntry(int index);
  void showTitle();

  Document &doc_;
  CourseContents course_;
  bool active_ = false;
  int selectedEntry_ = -1;
};
