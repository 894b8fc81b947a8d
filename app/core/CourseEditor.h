#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUndoStack>

#include "files/core/ContentsDocument.h"
#include "files/core/EntryCheck.h"

class Document;
class Messages;

// A course's contents file being edited: its lines, the problems of its
// entries, and its own history, apart from the page's. Every edit is a
// step; the window shows what changed() reports.
class CourseEditor : public QObject {
  Q_OBJECT
 public:
  explicit CourseEditor(Document &document, QObject *parent = nullptr);

  // Reads the contents file at `path` (false, said, when it cannot be).
  bool open(const QString &path);
  // An empty course, to be written at `path`.
  void startNew(const QString &path);
  const QString &path() const { return path_; }
  QString folder() const;
  const ContentsDocument &contents() const { return contents_; }
  // Why entry `index` cannot be used, or empty.
  QString problem(int index) const;
  int problemCount() const;
  // The page file entry `index` names.
  QString pagePath(int index) const;

  const QUndoStack &history() const { return history_; }
  // The contents differ from the last save (or a new one is unsaved).
  bool isModified() const { return !history_.isClean() || unsavedNew_; }

  // --- Edits, each a step; false when refused, which was said ------------
  // Page files put in at place `at` (-1: at the end), in order. A page
  // outside the contents folder or with a name code page 932 cannot hold
  // is refused with the reason, and nothing is added.
  bool addPages(const QStringList &paths, int at);
  // Asks for the page files first.
  bool addPagesWithDialog(int at);
  // The page in the main window, saved first if it has no file or unsaved
  // changes.
  bool addOpenPage(int at);
  void remove(int index);
  void move(int from, int to);
  void indent(int index);
  bool outdent(int index);
  bool setTitle(const QString &title);
  bool setNote(const QString &note);
  // Back or forward one step; a beep when there is none.
  void undo();
  void redo();

  // Writes the file, after saying how many entries have problems; the
  // open course follows. True when written.
  bool save();
  // Before the contents are let go: Yes saves, No lets them go.
  bool askSaveQuestion();
  // Shows entry `index`'s page in the main window.
  void openEntryPage(int index);

 signals:
  // The lines, the problems or the history changed.
  void changed();

 private:
  void push(ContentsSplice splice, const QString &name, int kind = -1);
  bool takeHeadText(const QString &text, QByteArray *bytes);
  void recheck();

  Document &document_;
  Messages &messages_;
  QString path_;
  ContentsDocument contents_;
  QList<entry_check::Problem> problems_;
  QUndoStack history_;
  bool unsavedNew_ = false;
};
