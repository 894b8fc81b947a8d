#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>

#include "app/core/Document.h"
#include "app/core/KeyHelpCaption.h"
#include "app/core/WindowKeys.h"
#include "app/render/PageCanvasView.h"
#include "score/render/GlyphCursors.h"

class QAction;
class QButtonGroup;
class QComboBox;
class QDialog;
class QKeyEvent;
class QMenu;
class QScrollArea;
class QSpacerItem;
class QToolButton;
class CanvasView;
class Sequencer;
class QUrl;
class NotePaletteWindow;
class TextWindow;
class StaffPaperDialog;
class LetterWindow;
class ClefBarlineWindow;
class RectEditWindow;
class ZoomControl;

// The main window: the composition root. It builds the document, the
// canvas and the controls, hands every command to the document and shows
// what the document reports. Controls carry the names the program's
// documentation gives them as object names.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // What the main window is given by the program entry.
  struct Services {
    Messages &messages;
    Sequencer &sequencer;
    SettingsFile &settings;
    QString programFolder;  // ends with "/"
    QStringList arguments;  // the command line without the program name
    std::function<QSize()> screenSize;  // the primary screen's size
  };

  explicit MainWindow(const Services &services, QWidget *parent = nullptr);
  ~MainWindow() override;

  // Connects the text window, created after the main window.
  void attachTextWindow(TextWindow *text);
  // The other tool windows, each built the first time it is wanted: most
  // sessions never show one, and building them costs the first paint.
  NotePaletteWindow &notePalette();
  LetterWindow &letterWindow();
  RectEditWindow &rectWindow();
  ClefBarlineWindow &clefWindow();

  Document &document() { return document_; }
  const QImage &canvasImage() const { return view_.canvas().image(); }
  // The id of the cursor the canvas shows: a glyph cursor's id (glyph + 1),
  // or 0 while it shows one of the toolkit's own.
  int canvasCursorId() const { return shownCursorId_; }
  bool hasGlyphCursor(int id) const { return cursorTable.has(id); }
  // Runs the staff paper dialog modally; tests replace it to answer.
  void setPaperDialogRunner(std::function<void(StaffPaperDialog &)> run);
  // Runs the other modal dialogs (step erase, clefs and barlines, the About
  // box); tests replace it to drive them.
  void setDialogRunner(std::function<void(QDialog &)> run);

  // The first showing: the layout and values from the settings file, then
  // the start file.
  void FormShow();
  // Writes every setting with the windows' layout; false after reporting
  // the first that failed.
  bool writeSettings();
  // Files dropped on the window: the first local file is opened. False
  // when there was none.
  bool DropFiles(const QList<QUrl> &urls);

 protected:
  // Reads the keys of this window and the text window before their
  // controls do.
  bool eventFilter(QObject *receiver, QEvent *event) override;
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void changeEvent(QEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;

 private:
  void buildCanvas();
  void buildMenus();
  void buildToolBar();
  void connectCommands();
  void connectReports();
  // Undo and redo in the menus, and the usual keys of the File menu.
  void connectHistory();
  void showHistory();
  void watchClipboard();
  // The mode windows built so far, with the mode each shows.
  QList<std::pair<QWidget *, EditMode>> builtModeWindows() const;
  void placeToolBar(bool executive);

  // Handlers of the controls that need more than one call.
  void newPageOfAnySize();
  void changeStaffPaper();
  bool showPaperDialog();
  void goToContentsEntry(int index);
  void toggleTextWindow();
  void openStepErase();
  void showAbout();
  void showHelpContents();
  void openClefsAndBarlines();
  void readWindowKey(KeyWindow window, const QKeyEvent &key);

  // What the document reports.
  void setCaption(const QString &caption);
  void setProtectIndicator(bool red);
  void showPlayButtons(PlayButtons buttons);
  void showSoundOutput();
  void showContentsMode(bool contentsMode);
  void showContentsList(const QStringList &entries);
  void updateRecentCaptions();
  void resetScroll();
  void applyExecutiveOption(bool executive);
  void showMode(EditMode mode);
  void showCanvasCursor(CanvasCursor cursor);
  void showGlyphCursorZoomed();

  // Start-up and shut-down.
  void focusToolBar();
  WindowLayout currentLayout() const;

  // The canvas, and the caption and protect indicator the document asks
  // this window to show.
  class WindowView : public PageCanvasView {
   public:
    explicit WindowView(MainWindow &window) : window_(window) {}
    void showCaption(const QString &caption) override;
    void showProtectIndicator(bool red) override;

   private:
    MainWindow &window_;
  };

  WindowView view_{*this};
  Document document_;
  QStringList arguments_;
  std::function<QSize()> screenSize_;
  std::function<void(StaffPaperDialog &)> runPaperDialog_;
  std::function<void(QDialog &)> runDialog_;
  // The key press the window keys last acted on, and where it arrived: the
  // same press going on to a parent control (also once a box it opened has
  // closed and the focus is elsewhere) is not read again.
  const QEvent *actedKey_ = nullptr;
  QPointer<QWidget> actedAt_;
  KeyHelpCaption keyHelpCaption_;
  CursorTable cursorTable;
  int shownCursorId_ = 0;
  bool shown_ = false;
  // The windows' places as the settings gave them and as they were put on
  // this screen.
  WindowLayout storedLayout_, placedLayout_;

  QWidget *toolBarPanel = nullptr;
  QScrollArea *canvasScroll = nullptr;
  CanvasView *canvasView = nullptr;
  ZoomControl *zoom_ = nullptr;
  QToolButton *noteModeButton = nullptr, *letterModeButton = nullptr,
              *rectModeButton = nullptr, *textWindowButton = nullptr,
              *playButton = nullptr, *stopButton = nullptr,
              *toStartButton = nullptr, *previousPageButton = nullptr,
              *nextPageButton = nullptr;
  QComboBox *contentsList = nullptr;
  QSpacerItem *modeGap_ = nullptr;
  // The tool bar's commands that have no menu item.
  QAction *playAction_ = nullptr, *stopAction_ = nullptr,
          *toStartAction_ = nullptr, *previousPageAction_ = nullptr,
          *nextPageAction_ = nullptr;

  QMenu *fileMenu = nullptr, *newMenu = nullptr, *reopenMenu = nullptr,
        *editMenu = nullptr, *shiftMenu = nullptr, *windowMenu = nullptr,
        *helpMenu = nullptr;
  QAction *newPageItems[8] = {};
  QAction *newPageOfAnySizeItem = nullptr, *openSeparator = nullptr,
          *openItem = nullptr, *bundledCourseItem = nullptr,
          *recentSeparator = nullptr, *recentItems[8] = {},
          *openClipboardItem = nullptr, *saveSeparator = nullptr,
          *saveItem = nullptr, *saveAsItem = nullptr,
          *bitmapSeparator = nullptr, *saveBitmapItem = nullptr,
          *copyBitmapItem = nullptr, *lineLengthSeparator = nullptr,
          *lineLengthItem = nullptr, *resetSoundItem = nullptr,
          *exitSeparator = nullptr, *exitItem = nullptr;
  QAction *historyUndoItem = nullptr, *historyRedoItem = nullptr,
          *historySeparator = nullptr;
  QAction *undoItem = nullptr, *stepEraseItem = nullptr, *shiftUpItem = nullptr,
          *shiftDownItem = nullptr, *staffPaperSeparator = nullptr,
          *staffPaperItem = nullptr, *clefsAndBarlinesItem = nullptr;
  QAction *noteModeItem = nullptr, *letterModeItem = nullptr,
          *rectModeItem = nullptr, *textWindowSeparator = nullptr,
          *textWindowItem = nullptr;
  QAction *helpContentsItem = nullptr, *aboutItem = nullptr;

  NotePaletteWindow *notePalette_ = nullptr;
  TextWindow *textWindow_ = nullptr;
  LetterWindow *letterWindow_ = nullptr;
  RectEditWindow *rectWindow_ = nullptr;
  ClefBarlineWindow *clefWindow_ = nullptr;
};
