#pragma once

#include <QObject>
#include <QPoint>
#include <QStringList>

#include "app/core/WindowLayout.h"
#include "edit/core/ClefsAndBarlines.h"
#include "edit/core/RegionMoves.h"
#include "edit/core/StepEraseState.h"
#include "files/core/CourseContents.h"
#include "files/core/RecentFiles.h"
#include "score/core/EditorState.h"
#include "score/core/ScorePage.h"
#include "sound/core/MediaPlayer.h"

class DocumentView;
class Messages;
class QIODevice;
class SettingsFile;

// The three edit modes, each tied to its tool window; at most one is on.
enum class EditMode { None, Note, Letter, Rect };

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

// Which of the three playback buttons can be pressed.
struct PlayButtons {
  bool play = false;
  bool stop = false;
  bool toStart = false;
  bool operator==(const PlayButtons &) const = default;
};

// The cursor the canvas shows: one of the toolkit's own, or a glyph's.
struct CanvasCursor {
  enum class Shape { Arrow, Cross, UpArrow, Glyph };
  Shape shape = Shape::Arrow;
  int glyph = 0;  // with Shape::Glyph
  bool operator==(const CanvasCursor &) const = default;
};

// The open page and everything beside it: the edit modes and the current
// glyph, the course and its position, the recent files and the program's
// settings. Every command that reads, changes or writes the page runs its
// steps here; the windows call in and show what the signals report.
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
  SettingsFile &settings() { return settings_; }
  const QString &programFolder() const { return programFolder_; }
  QString DefaultContentsPath() const;

  // --- State ----------------------------------------------------------
  const ScorePage &page() const { return page_; }
  const EditorState &editor() const { return editor_; }
  const CourseContents &course() const { return course_; }
  const RecentFiles &recent() const { return recent_; }
  EditMode mode() const { return mode_; }
  bool isModified() const { return page_.Modified; }
  bool contentsMode() const { return contentsMode_; }
  int selectedEntry() const { return selectedEntry_; }
  bool executive() const { return executive_; }
  bool administratorMode() const { return editor_.AdministratorMode; }
  bool midiPresent() const { return midiPresent_; }
  // Why the pieces cannot sound, worded for the user; empty when they can.
  QString silenceReason() const;
  int maxChar() const { return maxChar_; }
  const QString &folder() const { return folder_; }
  const QString &caption() const { return caption_; }
  bool protectIndicatorRed() const { return protectRed_; }
  PlayButtons playButtons() const { return playButtons_; }
  CanvasCursor canvasCursor() const { return cursor_; }

  void setModified(bool modified);
  void setMaxChar(int maxChar);
  void setExecutive(bool executive);
  // The administrator mode, once entered, lasts until the program ends:
  // pages are saved as protected and protected pages may be saved.
  void enterAdministratorMode();

  // --- The page ---------------------------------------------------------
  void NewPage();
  void ClearInputs();
  // Fresh staff paper with every input drawn again.
  void FullRedraw();
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
  void N1dan1Click(int staffCount);
  // The staff paper dialog was confirmed with these values.
  void applyPaperDialog(int staffCount, int staffWidth);

  // --- Page files and the file commands ------------------------------------
  // Reads the page at PagePath, or from `source` (treated as a file whose
  // extension is not ".fum").
  void LoadPage(QIODevice *source = nullptr);
  // Each of these is true only when the page was written.
  bool SavePage();
  bool Save1Click() { return SavePage(); }
  bool SaveAs();
  // Opens a page or contents file, after the save question.
  void OpenFile(const QString &path);
  void Open1Click();
  void ReOpen1Click(int tag);
  void Varnel1Click();
  void OpenClip1Click();
  void SaveBmp1Click();
  void CopyAsBmp1Click();
  void AddRecentFile(const QString &path);

  // --- Contents
  // ---------------------------------------------------------------
  void OpenContents(const QString &path);
  // The list's choice: loads entry `index` after the save question; on
  // Cancel the list goes back to the page shown.
  void selectEntry(int index);
  void SpeedButton4Click();
  void SpeedButton5Click();

  // --- Note and letter input
  // --------------------------------------------------- Switches a mode on (and
  // the others off), or every mode off.
  void setMode(EditMode mode);
  // The menu item or tool bar button of a mode: on when it is off, else off.
  void toggleMode(EditMode mode);
  // A mode's window was shown or hidden (also by its close box).
  void modeWindowShown(EditMode mode) { setMode(mode); }
  void modeWindowHidden(EditMode mode);
  void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                       QPoint position);
  void Image1MouseMove(Qt::MouseButtons buttons, QPoint position);
  void Image1MouseUp(Qt::MouseButton button, QPoint position);
  void StampGlyph(int x, int y);
  void PlaceText(int x, int y);
  // Palette button `tag` (1..14) was chosen.
  void choosePaletteButton(int tag);
  // Item `item` of the palette's list was chosen.
  void chooseListItem(int item);
  // Shows the symbol list (true) or the digit list; false when that list
  // was already shown.
  bool showSymbolList(bool symbols);
  void SelectPaletteGlyph();
  // The text the letter window holds, placed by a click in letter mode.
  void setLetterText(const QString &text) { letterText_ = text; }
  void Undo1Click();

  // --- Editing commands -----------------------------------------------------
  // Every input one staff up or down.
  void Up1Click();
  void Down1Click();
  using StepErase = StepEraseState;
  // The step-erase window became active: back to position 0, no marker.
  StepErase stepEraseActivated();
  // The scroll bar moved to `position`: the input there is marked.
  StepErase stepEraseMoved(int position);
  // "消去": the marked input goes and the one before it is marked.
  StepErase stepEraseErase();
  // The window closed: no marker stays on the page.
  void stepEraseClosed();
  // Appends the clefs and barlines the dialog asks for.
  void appendClefsAndBarlines(const clefs_and_barlines::Choice &choice);

  // --- Rectangle editing -----------------------------------------------------
  // The selected inputs, ascending page indices.
  const QList<int> &selection() const { return SelectionList; }
  bool selectionButtonsEnabled() const { return selectionButtons_; }
  bool pasteEnabled() const { return pasteEnabled_; }
  void CutSelection();
  // Puts the selection on the clipboard as region text.
  void CopySelection();
  // Appends the region text of the clipboard and selects it.
  void PasteRegion();
  void DuplicateSelection();
  void DeleteSelection();
  // An arrow button of the rectangle window was let go.
  void moveSelection(MoveArrow arrow, Qt::KeyboardModifiers modifiers);
  // Fresh canvas, no rectangle.
  void Redraw1Click();
  // Selects every input inside the canvas and frames it.
  void SelectAll1Click();
  // The commands that need a selection cannot be used until the next one.
  void DisableSelectionButtons();
  // The clipboard's text changed (also once at start-up).
  void clipboardChanged();

  // --- The page's piece ---------------------------------------------------
  const MediaPlayer &player() const { return MediaPlayer1; }
  void SpeedButton9Click();   // play
  void SpeedButton10Click();  // stop
  void SpeedButton11Click();  // to the start
  // The sequencer's end report.
  void MediaPlayer1Notify();
  // Plays the reset file beside the program to bring a General MIDI sound
  // source into its first state.
  void GMON1Click();
  QString GmResetPath() const;

  // --- Keys and small commands --------------------------------------------
  // A key pressed in the main window or the text window, before the control
  // with the focus sees it (it still does: no key is consumed).
  WindowKeyAction FormKeyDown(KeyWindow window, int key,
                              Qt::KeyboardModifiers modifiers);
  // The caption a window shows while F1 is held, and the one it gets back
  // when F1 is let go; the caption it replaced is kept in one slot for both
  // windows.
  QString keyHelpCaption(const QString &caption);
  QString captionAfterKeyHelp(const QString &caption) const;
  static QString keyHelpText();
  // The line-length command: how many bytes a line of a saved page holds.
  void mojisu1Click();

  // --- Start-up and shut-down ------------------------------------------------
  // Reads the program's values from the settings file and returns where the
  // windows stand.
  WindowLayout readSettings();
  // Opens the command line's file (a relative name is looked up from the
  // folder the program was started in, then from the current folder), else
  // the course's default contents file, else an empty page.
  void openStartFile(const QStringList &arguments);
  // The save question when the window closes; false keeps it open.
  bool FormCloseQuery() { return askSaveQuestion(); }
  // Remembers the current folder for the next run.
  void FormClose();
  // Writes every setting; false after reporting the first that failed.
  bool writeSettings(const WindowLayout &layout);

 signals:
  void captionChanged(const QString &caption);
  void modifiedChanged(bool modified);
  void protectIndicatorChanged(bool red);
  void playButtonsChanged(PlayButtons buttons);
  // The sound output was prepared: midiPresent() and silenceReason() may
  // have changed.
  void soundOutputChanged();
  // The list, the page buttons and "save as" follow contents mode.
  void contentsModeChanged(bool on);
  void contentsListChanged(const QStringList &entries);
  void contentsSelectionChanged(int index);
  void recentFilesChanged();
  void scrollReset();
  void canvasCursorChanged(CanvasCursor cursor);
  void modeChanged(EditMode mode);
  void executiveChanged(bool executive);
  void administratorModeEntered();
  // The program put a new page text in place (not the user's typing).
  void pageTextChanged(const QByteArray &text);
  // A click in letter mode found nothing to place.
  void letterTextWanted();
  // The rectangle window's buttons that act on the selection, and Paste.
  void selectionButtonsChanged(bool enabled);
  void pasteEnabledChanged(bool enabled);
  // The canvas changed size or was drawn anew.
  void canvasChanged();

 private:
  void FormCreate();
  void setCaption(const QString &caption);
  void setProtectIndicator(bool red);
  void setPageText(const QByteArray &text);
  void setCursor(CanvasCursor cursor);
  void EnablePlayButtons();
  void DisablePlayButtons();
  void soundReady();
  void tellWhySilent();
  void setPlayButtons(PlayButtons buttons);
  void EnableSelectionButtons();
  void setSelectionButtons(bool enabled);
  void ApplyExecutiveOption();
  void UpdateContentsControls();
  void setContentsMode(bool on);
  void RedrawPaper();
  void ResizeCanvas();
  void ReplayInputs();
  // Writes the page to PagePath; true when it was written.
  bool writePage(bool *needsName);
  void attachMidiFile(bool fromFile);
  bool ReadContents();
  // An entry whose page file is missing: said, and an empty page shown.
  void showMissingEntry(int index);
  void showContentsTitle();
  void InstallGlyphCursor();
  void AppendGlyphInput(int glyph, int x, int y);
  void shiftPage(int dy);
  void startRubberBand(QPoint position);
  void moveRubberBand(QPoint position);
  void endRubberBand(QPoint position);
  void SelectInRect();
  void RedrawWithSelection();
  void drawSelectionFrame();
  void dropSelectionFrame();
  bool selectionInPage();
  void MoveSelection(bool vertical, int step);
  // Our own copy: the text on the clipboard and the bytes it was made from.
  void setClipboardMirror(const QString &text, const QByteArray &bytes);
  void updatePasteEnabled();

  Messages &messages_;
  SettingsFile &settings_;
  DocumentView &view_;
  QString programFolder_;
  QString startFolder_;  // the current folder when the program started
  Sequencer &sequencer_;
  MediaPlayer MediaPlayer1;

  ScorePage page_;
  EditorState editor_;
  CourseContents course_;
  RecentFiles recent_;
  EditMode mode_ = EditMode::None;
  QString letterText_;
  bool contentsMode_ = false;
  int selectedEntry_ = -1;
  bool executive_ = false;
  bool midiPresent_ = false;
  bool silenceTold_ = false;  // the first F3 without sound says why
  int maxChar_ = 79;
  QString folder_;
  QString caption_ = QStringLiteral("Varnel");
  bool protectRed_ = false;
  PlayButtons playButtons_;
  CanvasCursor cursor_;
  QString SavedCaption;
  // The step-erase window's marker: the position it marks (0: none) and
  // where it is drawn.
  int MarkedPosition = 0;
  QPoint MarkerPoint;
  int erasePosition_ = 0;  // where the step-erase scroll bar stands

  // Rectangle editing: the selected inputs, the rubber band while the left
  // button is down (from the selection rectangle's left and top to
  // DragPoint), and the clipboard's text as the Paste command reads it.
  QList<int> SelectionList;
  bool Dragging = false;
  QPoint DragPoint;
  bool selectionButtons_ = false;
  bool pasteEnabled_ = true;
  struct ClipboardMirror {
    QString text;
    QByteArray bytes;        // code page 932, once converted
    QString unheld;          // characters of text that code page 932 lacks
    bool converted = false;  // bytes and unheld hold the text's conversion
  } mirror_;
};

Q_DECLARE_METATYPE(PlayButtons)
Q_DECLARE_METATYPE(CanvasCursor)
Q_DECLARE_METATYPE(EditMode)
