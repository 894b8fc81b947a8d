#pragma once

#include <QObject>
#include <QPoint>
#include <QStringList>

#include "app/core/CourseNavigator.h"
#include "app/core/PageInput.h"
#include "app/core/Playback.h"
#include "app/core/ProgramSession.h"
#include "app/core/RegionTool.h"
#include "app/core/StepEraser.h"
#include "base/core/Messages.h"
#include "edit/core/ClefsAndBarlines.h"
#include "score/core/EditorState.h"
#include "score/core/ScorePage.h"

class DocumentView;
class QIODevice;
class SettingsFile;

// The two windows whose keys the program reads before their controls do.
enum class KeyWindow { Main, Text };

// What a key asks of the window it was pressed in; the document runs the
// commands of the other keys itself.
enum class WindowKeyAction {
  None,
  ScrollUp,
  ScrollDown,
  ScrollRight,
  ScrollLeft,
  ShowKeyHelp,
  ShowTextWindow,
  HideTextWindow
};

// The open page: its file, its drawing and the save question. The course,
// the input modes, the rectangle, step erase, the piece and the session are
// objects beside it, reached from here; the windows call in and show what
// the signals report.
class Document : public QObject {
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
  const QString &programFolder() const { return programFolder_; }
  QString defaultContentsPath() const;

  // --- State ----------------------------------------------------------
  const ScorePage &page() const { return page_; }
  const EditorState &editor() const { return editor_; }
  bool isModified() const { return page_.Modified; }
  bool administratorMode() const { return editor_.AdministratorMode; }
  const QString &caption() const { return caption_; }
  bool protectIndicatorRed() const { return protectRed_; }

  void setModified(bool modified);
  // The administrator mode, once entered, lasts until the program ends:
  // pages are saved as protected and protected pages may be saved.
  void enterAdministratorMode();

  // --- The page ---------------------------------------------------------
  void newPage();
  void clearInputs();
  // Fresh staff paper with every input drawn again.
  void redrawAll();
  // Appends an input and draws it alone.
  void appendInput(const QByteArray &content, int x, int y);
  // The save question while the page is modified. True when the command
  // may go on: the page was saved, or the user said No (which lets the
  // page go); false on Cancel and when the save failed.
  bool askSaveQuestion();
  // The page text as the text window's user typed it, without the
  // characters a page cannot hold; returns those, each once, for the
  // window to drop and name.
  QString typePageText(const QString &typed);

  // --- New pages and the staff paper -------------------------------------
  void newPageOfStaves(int staffCount);
  // The staff paper dialog was confirmed with these values.
  void applyPaperDialog(int staffCount, int staffWidth);

  // --- Page files and the file commands ------------------------------------
  // Reads the page at PagePath, or from `source` (treated as a file whose
  // extension is not ".fum"); false when it could not be read, which was
  // said, and an empty page is shown.
  bool load(QIODevice *source = nullptr);
  // Each of these is true only when the page was written.
  bool save();
  bool saveAs();
  // Opens a page or contents file, after the save question.
  void openFile(const QString &path);
  void openWithDialog();
  void reopenRecent(int tag);
  void openBundledCourse();
  void openClipboardText();
  void saveBitmap();
  void copyBitmap();

  // --- The course ----------------------------------------------------------
  CourseNavigator &navigator() { return navigator_; }
  const CourseNavigator &navigator() const { return navigator_; }

  // --- Note and letter input ----------------------------------------------
  PageInput &input() { return input_; }
  const PageInput &input() const { return input_; }
  void undoLastInput();

  // --- Editing commands -----------------------------------------------------
  // Every input one staff up or down.
  void shiftPageUp();
  void shiftPageDown();
  // Appends the clefs and barlines the dialog asks for.
  void appendClefsAndBarlines(const clefs_and_barlines::Choice &choice);
  StepEraser &stepEraser() { return stepEraser_; }

  // --- Rectangle editing -----------------------------------------------------
  RegionTool &regions() { return regions_; }
  const RegionTool &regions() const { return regions_; }

  // --- The page's piece ---------------------------------------------------
  Playback &playback() { return playback_; }
  const Playback &playback() const { return playback_; }

  // --- Keys and small commands --------------------------------------------
  // A key pressed in the main window or the text window, before the control
  // with the focus sees it (it still does: no key is consumed).
  WindowKeyAction keyPressed(KeyWindow window, int key,
                             Qt::KeyboardModifiers modifiers);

  // --- Start-up and shut-down ------------------------------------------------
  ProgramSession &session() { return session_; }
  const ProgramSession &session() const { return session_; }
  // Opens the command line's file (a relative name is looked up from the
  // folder the program was started in, then from the current folder), else
  // the course's default contents file, else an empty page.
  void openStartFile(const QStringList &arguments);
  // The save question when the window closes; false keeps it open.
  bool mayClose() { return askSaveQuestion(); }

 signals:
  void captionChanged(const QString &caption);
  void modifiedChanged(bool modified);
  void protectIndicatorChanged(bool red);
  void scrollReset();
  void administratorModeEntered();
  // The program put a new page text in place (not the user's typing).
  void pageTextChanged(const QByteArray &text);
  // The canvas changed size or was drawn anew.
  void canvasChanged();

 private:
  friend class CourseNavigator;
  friend class PageInput;
  friend class RegionTool;
  friend class StepEraser;

  void setStartValues();
  void setCaption(const QString &caption);
  void setProtectIndicator(bool red);
  void setPageText(const QByteArray &text);
  void setContentsMode(bool on);
  void redrawPaper();
  void resizeCanvas();
  void replayInputs();
  // A file dialog's answer; the current folder follows it.
  QString chooseFile(const Messages::FileDialog &dialog, bool forSaving);
  // Writes the page to PagePath; true when it was written.
  bool writePage(bool *needsName);
  void appendGlyph(int glyph, int x, int y);
  void shiftPage(int dy);

  Messages &messages_;
  DocumentView &view_;
  QString programFolder_;
  ProgramSession session_;
  Playback playback_;
  StepEraser stepEraser_{*this};
  RegionTool regions_{*this};
  CourseNavigator navigator_{*this};
  PageInput input_{*this};

  ScorePage page_;
  EditorState editor_;
  QString caption_ = QStringLiteral("Varnel");
  bool protectRed_ = false;
};
