#pragma once

#include <QObject>
#include <QPoint>
#include <QStringList>
#include <QUndoStack>

#include "app/core/CanvasCache.h"
#include "app/core/CourseNavigator.h"
#include "app/core/FileCommands.h"
#include "app/core/PageChanges.h"
#include "app/core/PageEdits.h"
#include "app/core/PageInput.h"
#include "app/core/PageSwitch.h"
#include "app/core/Playback.h"
#include "app/core/ProgramSession.h"
#include "app/core/RegionTool.h"
#include "base/core/Messages.h"
#include "score/core/EditorState.h"
#include "score/core/ScorePage.h"

class DocumentView;
class QIODevice;
class SettingsFile;

// The open page: its file, its drawing and the save question. The course,
// the file commands, the input modes, the whole-page edits, the rectangle,
// the piece and the session are objects beside it, reached from here; the
// windows call in and show what the signals report. The objects are handed
// the parts of the page they work on, and ask the document for the rest
// through PageChanges and PageSwitch. Every change to the page is a step of
// its history; the modified mark is whether the page differs from the last
// save, which undoing back to it takes away.
class Document : public QObject,
                 private PageChanges,
                 private PageSwitch,
                 private CanvasCache {
  Q_OBJECT
 public:
  struct Services {
    Messages &messages;
    Sequencer &sequencer;
    SettingsFile &settings;
    QString programFolder;  // ends with "/"
  };

  Document(const Services &services, DocumentView &view,
           QObject *parent = nullptr);
  ~Document() override;

  Messages &messages() { return messages_; }

  // --- State ----------------------------------------------------------
  const ScorePage &page() const { return page_; }
  const EditorState &editor() const { return editor_; }
  bool isModified() const { return page_.Modified; }

  // Marks the page changed, or as it was saved (the history stays, and
  // the step it stands at becomes the saved one).
  void setModified(bool modified);
  // Turns the Executive option on or off. Off, nothing can change the page
  // any more, so a modified page is offered for saving first; false when
  // the user cancelled that, and the option stays on.
  bool setExecutive(bool executive);
  // The administrator mode, once entered, lasts until the program ends:
  // pages are saved as protected and protected pages may be saved.
  void enterAdministratorMode();

  // --- The page ---------------------------------------------------------
  void newPage() override;
  // Fresh staff paper with every input drawn again.
  void redrawAll() override;
  // Appends one input, as a step of the history.
  void appendInput(const QByteArray &content, int x, int y);

  // --- The history ------------------------------------------------------
  const QUndoStack &history() const { return history_; }
  // False for a reader: nothing may change the page.
  bool canEdit() const;
  // Takes back the last step, or does again the last one taken back; a
  // beep when there is none.
  void undo();
  void redo();
  // The save question while the page is modified. True when the command
  // may go on: the page was saved, or the user said No (which lets the
  // page go); false on Cancel and when the save failed. Also asked when
  // the window closes.
  bool askSaveQuestion() override;
  // The same question before a command that reads the page's file and
  // keeps the page (printing): a No goes on with the saved file and keeps
  // the edits and their mark. False on Cancel and when the save failed.
  bool offerSaveBeforeReading();
  // The page text as the text window's user typed it, without the
  // characters a page cannot hold; returns those, each once, for the
  // window to drop and name.
  QString typePageText(const QString &typed);

  // --- The page's file ----------------------------------------------------
  // Reads the page file at `path`, or a page out of `source` (treated as a
  // file whose extension is not ".fum"); false when it could not be read,
  // which was said, and an empty page is shown. Either starts a new
  // history.
  bool load(const QString &path) override;
  bool loadFrom(QIODevice &source) override;
  // Each of these is true only when the page was written.
  bool save();
  bool saveAs();

  // --- The objects beside the page ------------------------------------------
  FileCommands &files() { return files_; }
  PageEdits &edits() { return edits_; }
  PageInput &input() { return input_; }
  RegionTool &regions() { return regions_; }
  Playback &playback() { return playback_; }
  ProgramSession &session() { return session_; }
  CourseNavigator &navigator() { return navigator_; }
  const CourseNavigator &navigator() const { return navigator_; }

 signals:
  void modifiedChanged(bool modified);
  void scrollReset();
  void administratorModeEntered();
  // The program put a new page text in place (not the user's typing):
  // what a window takes in of it, and whether that is the whole text (a
  // window cannot edit a text it does not show whole).
  void pageTextChanged(const QByteArray &shown, bool whole);
  // What undo and redo would take, and whether there is any.
  void historyChanged();
  // The canvas changed size or was drawn anew.
  void canvasChanged();

 private:
  void setStartValues();
  void clearInputs();
  void setPageText(const QByteArray &text);
  // The page as a message names it.
  QString pageName() const;
  bool read(const QString &path, QIODevice *source);
  void redrawPaper();
  void resizeCanvas();
  void replayInputs();
  void redrawResized();
  void canvasDrawn() override { emit canvasChanged(); }

  // PageChanges: each a step of the history.
  int appendInputs(InputList inputs, const QString &name) override;
  void removeInputs(QList<int> indices, const QString &name) override;
  void movePlaces(QList<int> indices, int dx, int dy) override;
  void shiftPage(int dy) override;
  void changePaper(int staffCount, int staffWidth) override;
  void markModified() override { setModified(true); }
  void push(QUndoCommand *command);
  // One step back (undo) or forward (redo).
  void walkHistory(bool back);
  // A new page in place of the last: nothing to take back.
  void startHistory();
  void updateModified();

  // CanvasCache: what the last step left stale, brought up to date by
  // refreshCanvas() in one place.
  enum class Stale { None, Appended, Inputs, WholePage };
  void inputsAppended(int first) override;
  void inputsChanged() override;
  void wholePageChanged() override;
  void refreshCanvas();
  // Writes the page to PagePath; true when it was written.
  bool writePage(bool *needsName);

  Messages &messages_;
  DocumentView &view_;
  ScorePage page_;
  QUndoStack history_;
  // The page text typed since the last save; the text window keeps its own
  // undo for it.
  bool textTyped_ = false;
  Stale stale_ = Stale::None;
  int firstAppended_ = 0;
  EditorState editor_;
  ProgramSession session_;
  Playback playback_;
  CourseNavigator navigator_{page_, messages_, view_, session_, *this};
  FileCommands files_{page_, messages_, view_, session_, navigator_, *this};
  PageEdits edits_{page_, messages_, view_, *this, *this};
  RegionTool regions_{page_, editor_, messages_, view_, *this};
  PageInput input_{editor_, messages_, *this, regions_};
};
