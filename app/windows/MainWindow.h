#pragma once

#include <QMainWindow>
#include <functional>

#include "files/core/CourseContents.h"
#include "files/core/RecentFiles.h"
#include "score/core/EditorState.h"
#include "score/core/ScorePage.h"
#include "score/render/Canvas.h"
#include "score/render/GlyphCursors.h"

class QAction;
class QComboBox;
class QMenu;
class QScrollArea;
class QToolButton;
class QButtonGroup;
class CanvasView;
class Messages;
class PagePlayer;
class QIODevice;
class QUrl;
class SettingsFile;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm9;

// The main window: the composition root that owns the one open page, the
// canvas and the program-wide state, and hands the work of each command to
// the object or operation that owns it.
class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // What the main window is given by the program entry.
  struct Services {
    Messages &messages;
    PagePlayer &player;
    SettingsFile &settings;
    QString programFolder;  // ends with "/"
    QStringList arguments;  // the command line without the program name
    std::function<QSize()> screenSize;  // the primary screen's size
  };

  explicit TForm1(const Services &services, QWidget *parent = nullptr);
  ~TForm1() override;

  // Connects the resident tool windows, created after the main window.
  void attachToolWindows(TForm2 *palette, TForm3 *text, TForm5 *letter,
                         TForm9 *rect, TForm6 *clefs);

  Messages &messages() { return messages_; }
  PagePlayer &player() { return player_; }
  SettingsFile &settings() { return settings_; }
  const QString &programFolder() const { return programFolder_; }
  QString DefaultContentsPath() const;

  // --- The open page and the state beside it -------------------------
  ScorePage page;
  EditorState editor;
  Canvas canvas;
  bool PaperDialogConfirmed = false;
  bool Executive = false;
  bool MidiPresent = false;
  int MaxChar = 79;
  bool ContentsMode = false;
  CourseContents course;
  QString Folder;
  RecentFiles Recent;
  // The application's title (the task-bar text), kept with the caption.
  QString ApplicationTitle = QStringLiteral("Varnel");

  // Runs the staff paper dialog modally; tests replace it to answer.
  std::function<void(TForm4 &)> runPaperDialog;

  // --- Page operations --------------------------------------------------
  void NewPage();
  void ClearInputs();
  // The three canvas operations, with the view brought up to date.
  void RedrawPaper();
  void ResizeCanvas();
  void ReplayInputs();
  void FullRedraw() {
    RedrawPaper();
    ReplayInputs();
  }
  // Appends an input and draws it alone on the canvas.
  void appendInput(const QByteArray &content, int x, int y);
  // Asks the save question while the page is modified. Returns false when
  // the command is to be abandoned (Cancel).
  bool askSaveQuestion();
  // The page text as bytes, and setting it from bytes.
  QByteArray pageText() const;
  void setPageText(const QByteArray &text);
  void DisableSelectionButtons();
  void EnablePlayButtons();
  void DisablePlayButtons();
  void ApplyExecutiveOption();
  void UpdateContentsControls();
  // Sets the window's caption and the application's title together.
  void setCaption(const QString &caption);
  void setProtectIndicator(bool red);
  bool protectIndicatorRed() const { return protectRed_; }

  // --- Handlers -----------------------------------------------------------
  void N1dan1Click(int tag);
  void K1Click();
  void Gosensi1Click();
  // Shows the staff paper dialog; true when it was closed with OK.
  bool showPaperDialog();
  void applyPaperDialog(int staffCount, int staffWidth);
  void Save1Click();

  // --- Page files and the file commands ---------------------------------
  // Reads the page at PagePath (or from `source`, treated as a file whose
  // extension is not ".fum") into the open page.
  void LoadPage(QIODevice *source = nullptr);
  void SavePage();
  void SaveAs();
  void OpenFile(const QString &path);
  void OpenContents(const QString &path);
  // False after reporting a contents file that cannot be read.
  bool ReadContents();
  void LoadSelectedEntry();
  void SpeedButton4Click();
  void SpeedButton5Click();
  void ShowContentsTitle();
  void Varnel1Click();
  void AddRecentFile(const QString &path);
  void updateRecentCaptions();
  void Open1Click();
  void SaveAs1Click() { SaveAs(); }
  void ReOpen1Click(int tag);
  void OpenClip1Click();
  void SaveBmp1Click();
  void CopyAsBmp1Click();
  // The save question when the window closes; false keeps it open.
  bool FormCloseQuery();

  // --- Note and letter input ------------------------------------------------
  void Palette1Click();
  void Letter1Click();
  void Rect1Click();
  void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                       QPoint position);
  void StampGlyph(int x, int y);
  void PlaceText(int x, int y);
  void SelectPaletteGlyph();
  void InstallGlyphCursor();
  // Takes back the last input ("一入力消す").
  void Undo1Click();
  // Gives the canvas one of the toolkit's own cursors.
  void setCanvasCursor(Qt::CursorShape shape);
  // The program's table of glyph cursors (glyph i under id i + 1).
  CursorTable cursorTable;
  // The id of the cursor the canvas shows: a glyph cursor's id, or 0 while
  // it shows one of the toolkit's own.
  int Image1CursorId = 0;

  // --- Start-up and shut-down --------------------------------------------
  void FormCreate();
  void FormShow();
  void FormActivate();
  void FormClose();
  void FormDestroy();
  void Exit1Click() { close(); }
  // Files dropped on the window: the first local file is opened. False
  // when there was none.
  bool DropFiles(const QList<QUrl> &urls);
  // Writes every setting; false after reporting the first that failed.
  bool writeSettings();

  // --- Controls (named as the program's documentation names them) --------
  QWidget *Panel1 = nullptr;
  QScrollArea *ScrollBox1 = nullptr;
  CanvasView *Image1 = nullptr;
  QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr,
              *SpeedButton8 = nullptr, *SpeedButton3 = nullptr,
              *SpeedButton9 = nullptr, *SpeedButton10 = nullptr,
              *SpeedButton11 = nullptr, *SpeedButton4 = nullptr,
              *SpeedButton5 = nullptr;
  QButtonGroup *modeButtons = nullptr;
  QComboBox *ComboBox1 = nullptr;

  QMenu *File1 = nullptr, *New1 = nullptr, *K2 = nullptr, *Edit1 = nullptr,
        *InsDel1 = nullptr, *Window1 = nullptr, *Help1 = nullptr;
  QAction *N1dan[8] = {};
  QAction *K1 = nullptr, *N7 = nullptr, *Open1 = nullptr, *Varnel1 = nullptr,
          *N5 = nullptr, *ReOpen[8] = {}, *OpenClip1 = nullptr, *N2 = nullptr,
          *Save1 = nullptr, *SaveAs1 = nullptr, *N8 = nullptr,
          *SaveBmp1 = nullptr, *CopyAsBmp1 = nullptr, *N6 = nullptr,
          *mojisu1 = nullptr, *GMON1 = nullptr, *N1 = nullptr, *Exit1 = nullptr;
  QAction *Undo1 = nullptr, *Erase1 = nullptr, *Up1 = nullptr, *Down1 = nullptr,
          *N4 = nullptr, *Gosensi1 = nullptr, *AutoDraw1 = nullptr;
  QAction *Palette1 = nullptr, *Letter1 = nullptr, *Rect1 = nullptr,
          *N3 = nullptr, *TextWindow1 = nullptr;
  QAction *Contents1 = nullptr, *About1 = nullptr;
  QAction *EditMenuAction = nullptr, *WindowMenuAction = nullptr,
          *NewMenuAction = nullptr;

  TForm2 *Form2 = nullptr;
  TForm3 *Form3 = nullptr;
  TForm5 *Form5 = nullptr;
  TForm9 *Form9 = nullptr;
  TForm6 *Form6 = nullptr;

 protected:
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void changeEvent(QEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;

 private:
  void buildMenus();
  void buildToolBar();
  void connectCommands();
  void placeToolBar(bool executive);

  Messages &messages_;
  PagePlayer &player_;
  SettingsFile &settings_;
  QString programFolder_;
  QStringList arguments_;
  std::function<QSize()> screenSize_;
  bool shown_ = false;
  bool protectRed_ = false;
};
