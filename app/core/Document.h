#pragma once

#include <QObject>
#include <QPoint>
#include <QStringList>

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
// through PageChanges and PageSwitch.
class Document : public QObject, private PageChanges, private PageSwitch {
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

  Messages &messages() { return messages_; }

  // --- State ----------------------------------------------------------
  const ScorePage &page() const { return page_; }
  const EditorState &editor() const { return editor_; }
  bool isModified() const { return page_.Modified; }

  void setModified(bool modified) override;
  // The administrator mode, once entered, lasts until the program ends:
  // pages are saved as protected and protected pages may be saved.
  void enterAdministratorMode();

  // --- The page ---------------------------------------------------------
  void newPage() override;
  // Fresh staff paper with every input drawn again.
  void redrawAll() override;
  // Appends an input and draws it alone.
  void appendInput(const QByteArray &content, int x, int y) override;
  // The save question while the page is modified. True when the command
  // may go on: the page was saved, or the user said No (which lets the
  // page go); false on Cancel and when the save failed. Also asked when
  // the window closes.
  bool askSaveQuestion() override;
  // The page text as the text window's user typed it, without the
  // characters a page cannot hold; returns those, each once, for the
  // window to drop and name.
  QString typePageText(const QString &typed);

  // --- The page's file ----------------------------------------------------
  // Reads the page at PagePath, or from `source` (treated as a file whose
  // extension is not ".fum"); false when it could not be read, which was
  // said, and an empty page is shown.
  bool load(QIODevice *source = nullptr) override;
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
  // The program put a new page text in place (not the user's typing).
  void pageTextChanged(const QByteArray &text);
  // The canvas changed size or was drawn anew.
  void canvasChanged();

 private:
  void setStartValues();
  void clearInputs();
  void setPageText(const QByteArray &text);
  void redrawPaper() override;
  void resizeCanvas();
  void replayInputs() override;
  void redrawResized() override;
  void canvasDrawn() override { emit canvasChanged(); }
  // Writes the page to PagePath; true when it was written.
  bool writePage(bool *needsName);

  Messages &messages_;
  DocumentView &view_;
  ScorePage page_;
  EditorState editor_;
  ProgramSession session_;
  Playback playback_;
  CourseNavigator navigator_{page_, messages_, view_, session_, *this};
  FileCommands files_{page_, messages_, view_, session_, navigator_, *this};
  PageEdits edits_{page_, messages_, view_, *this, *this};
  RegionTool regions_{page_, editor_, messages_, view_, *this};
  PageInput input_{editor_, messages_, *this, regions_};
};
