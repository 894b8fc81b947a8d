#include "app/windows/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/windows/BuiltInPictures.h"
#include "app/windows/CourseEditorCommand.h"
#include "app/windows/PiecePosition.h"
#include "app/windows/PrintCommands.h"
#include "app/windows/SiteExportCommand.h"
#include "app/windows/ZoomControl.h"
#include "score/render/GlyphSet.h"
#include "score/render/PageFonts.h"
#include "score/windows/CanvasView.h"
#include "score/windows/ObjectNames.h"
#include "score/windows/StaffPaperDialog.h"

namespace {

// A tool bar button that shows and triggers `action`; it keeps the name the
// controls have always had.
QToolButton *buttonFor(QWidget *panel, QAction *action, const char *name) {
  auto *button = named(new QToolButton(panel), name);
  button->setDefaultAction(action);
  button->setAutoRaise(true);
  button->setFixedSize(25, 25);
  return button;
}

// A command of the tool bar: `face` on its button, `hint` where the mouse
// rests.
QAction *toolAction(QAction *action, const QString &face, const QString &hint) {
  action->setIconText(face);
  action->setToolTip(hint);
  return action;
}

}  // namespace

MainWindow::MainWindow(const Services &services, QWidget *parent)
    : QMainWindow(parent),
      document_({services.messages, services.sequencer, services.settings,
                 services.programFolder},
                view_, this),
      arguments_(services.arguments),
      screenSize_(services.screenSize),
      runPaperDialog_([](StaffPaperDialog &dialog) { dialog.exec(); }),
      runDialog_([](QDialog &dialog) { dialog.exec(); }) {
  setWindowTitle(QStringLiteral("Varnel"));
  resize(640, 455);
  // The program's icon is its treble clef.
  setWindowIcon(QIcon(QPixmap::fromImage(GlyphSet::instance().image(32))));
  buildCanvas();
  buildMenus();
  buildToolBar();
  connectCommands();
  connectReports();
  connectHistory();
  watchClipboard();
  setProtectIndicator(false);
  setAcceptDrops(true);
  showSoundOutput();
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::setPaperDialogRunner(
    std::function<void(StaffPaperDialog &)> run) {
  runPaperDialog_ = std::move(run);
}

void MainWindow::setDialogRunner(std::function<void(QDialog &)> run) {
  runDialog_ = std::move(run);
}

void MainWindow::buildCanvas() {
  auto *central = new QWidget(this);
  auto *layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  toolBarPanel = named(new QWidget(central), "Panel1");
  toolBarPanel->setFixedHeight(33);
  toolBarPanel->setAutoFillBackground(true);
  toolBarPanel->setFocusPolicy(Qt::StrongFocus);
  canvasScroll = named(new QScrollArea(central), "ScrollBox1");
  canvasScroll->setBackgroundRole(QPalette::Dark);
  canvasView = named(new CanvasView(view_.canvas()), "Image1");
  canvasScroll->setWidget(canvasView);
  canvasScroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(toolBarPanel);
  layout->addWidget(canvasScroll, 1);
  setCentralWidget(central);
}

void MainWindow::buildMenus() {
  QMenuBar *bar = nullptr;
  built_in_pictures::withoutPlugins([&] { bar = menuBar(); });
  fileMenu = bar->addMenu(QStringLiteral("ファイル(&F)"));
  newMenu = fileMenu->addMenu(QStringLiteral("新規作成(&N)"));
  static const char *const staffItems[8] = {"１段", "２段", "３段", "４段",
                                            "５段", "６段", "７段", "８段"};
  for (int i = 0; i < 8; ++i) {
    newPageItems[i] = newMenu->addAction(QString::fromUtf8(staffItems[i]));
    newPageItems[i]->setData(i + 1);  // the tag: the number of staves
  }
  newPageOfAnySizeItem = newMenu->addAction(QStringLiteral("任意 ..."));
  openSeparator = fileMenu->addSeparator();
  openItem = fileMenu->addAction(QStringLiteral("開く(&O)..."));
  reopenMenu = fileMenu->addMenu(QStringLiteral("開き直す(&R)"));
  bundledCourseItem = reopenMenu->addAction(QStringLiteral("Varnel"));
  recentSeparator = reopenMenu->addSeparator();
  for (int i = 0; i < 8; ++i) {
    recentItems[i] = reopenMenu->addAction(QString());
    recentItems[i]->setData(i + 1);
  }
  openClipboardItem =
      fileMenu->addAction(QStringLiteral("クリップボードから開く(&P)"));
  saveSeparator = fileMenu->addSeparator();
  saveItem = fileMenu->addAction(QStringLiteral("上書き保存(&S)"));
  saveAsItem = fileMenu->addAction(QStringLiteral("名前を付けて保存(&A)..."));
  bitmapSeparator = fileMenu->addSeparator();
  saveBitmapItem =
      fileMenu->addAction(QStringLiteral("ビットマップで保存(&B)..."));
  copyBitmapItem =
      fileMenu->addAction(QStringLiteral("ビットマップでコピー(&C)"));
  course_editor_command::add(fileMenu, this, document_);
  site_export_command::add(fileMenu, this, document_);
  fileMenu->addSeparator();
  print_commands::add(fileMenu, this, document_,
                      [this](QDialog &dialog) { runDialog_(dialog); });
  lineLengthSeparator = fileMenu->addSeparator();
  lineLengthItem =
      fileMenu->addAction(QStringLiteral("一行の文字数設定(&M)..."));
  resetSoundItem = fileMenu->addAction(QStringLiteral("GM音源の初期化(&G)"));
  fileMenu->setToolTipsVisible(true);  // the reset's says why it is grey
  exitSeparator = fileMenu->addSeparator();
  exitItem = fileMenu->addAction(QStringLiteral("Varnelの終了(&X)"));

  editMenu = bar->addMenu(QStringLiteral("編集(&E)"));
  historyUndoItem = editMenu->addAction(QStringLiteral("元に戻す"));
  historyRedoItem = editMenu->addAction(QStringLiteral("やり直し"));
  historySeparator = editMenu->addSeparator();
  undoItem = editMenu->addAction(QStringLiteral("一入力消す(&U)"));
  stepEraseItem = editMenu->addAction(QStringLiteral("逐次消去(&D)..."));
  shiftMenu = editMenu->addMenu(QStringLiteral("全体シフト(&S)"));
  shiftUpItem = shiftMenu->addAction(QStringLiteral("上へ"));
  shiftDownItem = shiftMenu->addAction(QStringLiteral("下へ"));
  staffPaperSeparator = editMenu->addSeparator();
  staffPaperItem = editMenu->addAction(QStringLiteral("五線紙の設定(&G)..."));
  clefsAndBarlinesItem =
      editMenu->addAction(QStringLiteral("音部記号・小節線(&A)..."));

  windowMenu = bar->addMenu(QStringLiteral("表示(&V)"));
  noteModeItem = windowMenu->addAction(QStringLiteral("音符入力(&N)"));
  letterModeItem = windowMenu->addAction(QStringLiteral("文字入力(&L)"));
  rectModeItem = windowMenu->addAction(QStringLiteral("矩形編集(&R)"));
  textWindowSeparator = windowMenu->addSeparator();
  textWindowItem =
      windowMenu->addAction(QStringLiteral("テキスト・ウィンドウ(&T)"));
  for (QAction *a :
       {noteModeItem, letterModeItem, rectModeItem, textWindowItem})
    a->setCheckable(true);
  zoom_ = new ZoomControl(*canvasScroll, *canvasView, *this);
  zoom_->addMenuItems(*windowMenu);

  helpMenu = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
  helpContentsItem = helpMenu->addAction(QStringLiteral("目次(&C)"));
  aboutItem = helpMenu->addAction(QStringLiteral("バージョン情報(&A)..."));

  // Tests and the style sheet find the controls by these names.
  const std::pair<QObject *, const char *> names[] = {
      {fileMenu, "File1"},
      {newMenu, "New1"},
      {reopenMenu, "K2"},
      {editMenu, "Edit1"},
      {shiftMenu, "InsDel1"},
      {windowMenu, "Window1"},
      {helpMenu, "Help1"},
      {newPageOfAnySizeItem, "K1"},
      {openItem, "Open1"},
      {bundledCourseItem, "Varnel1"},
      {openClipboardItem, "OpenClip1"},
      {saveItem, "Save1"},
      {saveAsItem, "SaveAs1"},
      {saveBitmapItem, "SaveBmp1"},
      {copyBitmapItem, "CopyAsBmp1"},
      {lineLengthItem, "mojisu1"},
      {resetSoundItem, "GMON1"},
      {exitItem, "Exit1"},
      {historyUndoItem, "HistoryUndo"},
      {historyRedoItem, "HistoryRedo"},
      {undoItem, "Undo1"},
      {stepEraseItem, "Erase1"},
      {shiftUpItem, "Up1"},
      {shiftDownItem, "Down1"},
      {staffPaperItem, "Gosensi1"},
      {clefsAndBarlinesItem, "AutoDraw1"},
      {noteModeItem, "Palette1"},
      {letterModeItem, "Letter1"},
      {rectModeItem, "Rect1"},
      {textWindowItem, "TextWindow1"},
      {helpContentsItem, "Contents1"},
      {aboutItem, "About1"}};
  for (const auto &[object, name] : names) named(object, name);
  for (int i = 0; i < 8; ++i) {
    newPageItems[i]->setObjectName(QStringLiteral("N%1dan1").arg(i + 1));
    recentItems[i]->setObjectName(QStringLiteral("ReOpen%1").arg(i + 1));
  }
}

void MainWindow::buildToolBar() {
  // At most one mode is on, and all may be off.
  auto *modes = new QActionGroup(this);
  modes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (QAction *a : {noteModeItem, letterModeItem, rectModeItem})
    modes->addAction(a);
  toolAction(noteModeItem, QStringLiteral("♪"), QStringLiteral("音符入力"));
  toolAction(letterModeItem, QStringLiteral("Aa"), QStringLiteral("文字入力"));
  toolAction(rectModeItem, QStringLiteral("□"), QStringLiteral("矩形編集"));
  toolAction(textWindowItem, QStringLiteral("T"), QStringLiteral("テキスト"));
  const auto pictured = [this](const char *picture, const char *hint) {
    auto *action = new QAction(QString::fromUtf8(hint), this);
    action->setIcon(built_in_pictures::xpmIcon(
        QStringLiteral(":/pictures/%1.xpm").arg(picture)));
    action->setEnabled(false);
    return action;
  };
  playAction_ = pictured("play", "再生");
  stopAction_ = pictured("stop", "停止");
  toStartAction_ = pictured("tostart", "曲頭");
  previousPageAction_ = toolAction(new QAction(this), QStringLiteral("<"),
                                   QStringLiteral("前の頁へ"));
  nextPageAction_ = toolAction(new QAction(this), QStringLiteral(">"),
                               QStringLiteral("次の頁へ"));

  noteModeButton = buttonFor(toolBarPanel, noteModeItem, "SpeedButton1");
  letterModeButton = buttonFor(toolBarPanel, letterModeItem, "SpeedButton2");
  rectModeButton = buttonFor(toolBarPanel, rectModeItem, "SpeedButton8");
  textWindowButton = buttonFor(toolBarPanel, textWindowItem, "SpeedButton3");
  playButton = buttonFor(toolBarPanel, playAction_, "SpeedButton9");
  stopButton = buttonFor(toolBarPanel, stopAction_, "SpeedButton10");
  toStartButton = buttonFor(toolBarPanel, toStartAction_, "SpeedButton11");
  contentsList = named(new QComboBox(toolBarPanel), "ComboBox1");
  contentsList->setEditable(false);
  contentsList->setToolTip(QStringLiteral("目次"));
  contentsList->setFont(page_fonts::mincho12());
  contentsList->setFixedWidth(305);
  previousPageButton =
      buttonFor(toolBarPanel, previousPageAction_, "SpeedButton4");
  nextPageButton = buttonFor(toolBarPanel, nextPageAction_, "SpeedButton5");
  for (QWidget *w : {static_cast<QWidget *>(contentsList),
                     static_cast<QWidget *>(previousPageButton),
                     static_cast<QWidget *>(nextPageButton)})
    w->setVisible(false);

  // Groups of buttons a few pixels apart; the editing group and its gap
  // leave the row to a reader.
  constexpr int GroupGap = 7;
  auto *row = new QHBoxLayout(toolBarPanel);
  row->setContentsMargins(8, 4, 8, 4);
  row->setSpacing(0);
  for (QWidget *w : {noteModeButton, letterModeButton, rectModeButton})
    row->addWidget(w);
  modeGap_ = new QSpacerItem(GroupGap, 0, QSizePolicy::Fixed);
  row->addItem(modeGap_);
  row->addWidget(textWindowButton);
  row->addSpacing(GroupGap);
  for (QWidget *w : {playButton, stopButton, toStartButton}) row->addWidget(w);
  piece_position::add(row, toolBarPanel, document_.playback());
  row->addSpacing(GroupGap);
  row->addWidget(contentsList, 0, Qt::AlignVCenter);
  row->addSpacing(GroupGap);
  row->addWidget(previousPageButton);
  row->addWidget(nextPageButton);
  row->addStretch(1);
}

void MainWindow::placeToolBar(bool executive) {
  modeGap_->changeSize(executive ? 7 : 0, 0, QSizePolicy::Fixed);
  toolBarPanel->layout()->invalidate();
  toolBarPanel->layout()->activate();
}
