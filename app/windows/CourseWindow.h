#pragma once

#include <QMainWindow>
#include <functional>

class CourseEditor;
class QAction;
class QLabel;
class QLineEdit;
class QListWidget;

// The contents editor's window: the title and note of a course and its
// entries in order, indented as in the file, each entry with a problem
// marked and its reason. The edits go to the CourseEditor; a page the user
// wants to see is asked of the main window through openPageRequested.
class CourseWindow : public QMainWindow {
  Q_OBJECT
 public:
  CourseWindow(CourseEditor &editor, QWidget *parent = nullptr);

  // The entry chosen, or -1.
  int currentEntry() const;

 signals:
  void openPageRequested(const QString &path);

 protected:
  void closeEvent(QCloseEvent *event) override;

 private:
  QAction *addCommand(QMenu *menu, const char *name, const QString &caption,
                      const QKeySequence &key, void (CourseWindow::*run)());
  void buildMenusAndButtons();
  void showContents();
  void showHistory();
  // Runs an edit of the entry chosen, and chooses `next` afterwards.
  void editChosen(const std::function<void(int)> &edit, int offset);
  void addOpenPage();
  void addPageFiles();
  void remove();
  void moveUp();
  void moveDown();
  void indent();
  void outdent();
  void openChosenPage();
  void save();
  void takeTitle();
  void takeNote();
  void entriesDragged(int from, int to);

  CourseEditor &editor_;
  QLineEdit *titleEdit_ = nullptr, *noteEdit_ = nullptr;
  QListWidget *list_ = nullptr;
  QLabel *problems_ = nullptr;
  QAction *undoItem_ = nullptr, *redoItem_ = nullptr;
  int wanted_ = -1;  // the row to choose when the list is shown next
};
