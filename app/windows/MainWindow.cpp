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

#include "app/windows/SiteExportCommand.h"
#include "score/render/GlyphSet.h"
#include "score/render/PageFonts.h"
#include "score/windows/CanvasView.h"
#include "score/windows/StaffPaperDialog.h"

namespace {

template <typename T>
T *named(T *object, const char *name) {
  object->setObjectName(QLatin1String(name));
  return object;
}

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
  Panel1 = named(new QWidget(central), "Panel1");
  Panel1->setFixedHeight(33);
  Panel1->setAutoFillBackground(true);
  Panel1->setFocusPolicy(Qt::StrongFocus);
  ScrollBox1 = named(new QScrollArea(central), "ScrollBox1");
  ScrollBox1->setBackgroundRole(QPalette::Dark);
  Image1 = named(new CanvasView(view_.canvas()), "Image1");
  ScrollBox1->setWidget(Image1);
  ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(Panel1);
  layout->addWidget(ScrollBox1, 1);
  setCentralWidget(central);
}

void MainWindow::buildMenus() {
  QMenuBar *bar = menuBar();
  File1 = bar->addMenu(QStringLiteral("ファイル(&F)"));
  New1 = File1->addMenu(QStringLiteral("新規作成(&N)"));
  static const char *const staffItems[8] = {"１段", "２段", "３段", "４段",
                                            "５段", "６段", "７段", "８段"};
  for (int i = 0; i < 8; ++i) {
    N1dan[i] = New1->addAction(QString::fromUtf8(staffItems[i]));
    N1dan[i]->setData(i + 1);  // the tag: the number of staves
  }
  K1 = New1->addAction(QStringLiteral("任意 ..."));
  N7 = File1->addSeparator();
  Open1 = File1->addAction(QStringLiteral("開く(&O)..."));
  K2 = File1->addMenu(QStringLiteral("開き直す(&R)"));
  Varnel1 = K2->addAction(QStringLiteral("Varnel"));
  N5 = K2->addSeparator();
  for (int i = 0; i < 8; ++i) {
    ReOpen[i] = K2->addAction(QString());
    ReOpen[i]->setData(i + 1);
  }
  OpenClip1 = File1->addAction(QStringLiteral("クリップボードから開く(&P)"));
  N2 = File1->addSeparator();
  Save1 = File1->addAction(QStringLiteral("上書き保存(&S)"));
  SaveAs1 = File1->addAction(QStringLiteral("名前を付けて保存(&A)..."));
  N8 = File1->addSeparator();
  SaveBmp1 = File1->addAction(QStringLiteral("ビットマップで保存(&B)..."));
  CopyAsBmp1 = File1->addAction(QStringLiteral("ビットマップでコピー(&C)"));
  site_export_command::add(File1, this, document_);
  N6 = File1->addSeparator();
  mojisu1 = File1->addAction(QStringLiteral("一行の文字数設定(&M)..."));
  GMON1 = File1->addAction(QStringLiteral("GM音源の初期化(&G)"));
  File1->setToolTipsVisible(true);  // the reset's says why it is grey
  N1 = File1->addSeparator();
  Exit1 = File1->addAction(QStringLiteral("Varnelの終了(&X)"));

  Edit1 = bar->addMenu(QStringLiteral("編集(&E)"));
  Undo1 = Edit1->addAction(QStringLiteral("一入力消す(&U)"));
  Erase1 = Edit1->addAction(QStringLiteral("逐次消去(&D)..."));
  InsDel1 = Edit1->addMenu(QStringLiteral("全体シフト(&S)"));
  Up1 = InsDel1->addAction(QStringLiteral("上へ"));
  Down1 = InsDel1->addAction(QStringLiteral("下へ"));
  N4 = Edit1->addSeparator();
  Gosensi1 = Edit1->addAction(QStringLiteral("五線紙の設定(&G)..."));
  AutoDraw1 = Edit1->addAction(QStringLiteral("音部記号・小節線(&A)..."));

  Window1 = bar->addMenu(QStringLiteral("表示(&V)"));
  Palette1 = Window1->addAction(QStringLiteral("音符入力(&N)"));
  Letter1 = Window1->addAction(QStringLiteral("文字入力(&L)"));
  Rect1 = Window1->addAction(QStringLiteral("矩形編集(&R)"));
  N3 = Window1->addSeparator();
  TextWindow1 = Window1->addAction(QStringLiteral("テキスト・ウィンドウ(&T)"));
  for (QAction *a : {Palette1, Letter1, Rect1, TextWindow1})
    a->setCheckable(true);

  Help1 = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
  Contents1 = Help1->addAction(QStringLiteral("目次(&C)"));
  About1 = Help1->addAction(QStringLiteral("バージョン情報(&A)..."));

  // Tests and the style sheet find the controls by these names.
  const std::pair<QObject *, const char *> names[] = {
      {File1, "File1"},
      {New1, "New1"},
      {K2, "K2"},
      {Edit1, "Edit1"},
      {InsDel1, "InsDel1"},
      {Window1, "Window1"},
      {Help1, "Help1"},
      {K1, "K1"},
      {Open1, "Open1"},
      {Varnel1, "Varnel1"},
      {OpenClip1, "OpenClip1"},
      {Save1, "Save1"},
      {SaveAs1, "SaveAs1"},
      {SaveBmp1, "SaveBmp1"},
      {CopyAsBmp1, "CopyAsBmp1"},
      {mojisu1, "mojisu1"},
      {GMON1, "GMON1"},
      {Exit1, "Exit1"},
      {Undo1, "Undo1"},
      {Erase1, "Erase1"},
      {Up1, "Up1"},
      {Down1, "Down1"},
      {Gosensi1, "Gosensi1"},
      {AutoDraw1, "AutoDraw1"},
      {Palette1, "Palette1"},
      {Letter1, "Letter1"},
      {Rect1, "Rect1"},
      {TextWindow1, "TextWindow1"},
      {Contents1, "Contents1"},
      {About1, "About1"}};
  for (const auto &[object, name] : names) named(object, name);
  for (int i = 0; i < 8; ++i) {
    N1dan[i]->setObjectName(QStringLiteral("N%1dan1").arg(i + 1));
    ReOpen[i]->setObjectName(QStringLiteral("ReOpen%1").arg(i + 1));
  }
}

void MainWindow::buildToolBar() {
  // At most one mode is on, and all may be off.
  auto *modes = new QActionGroup(this);
  modes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (QAction *a : {Palette1, Letter1, Rect1}) modes->addAction(a);
  toolAction(Palette1, QStringLiteral("♪"), QStringLiteral("音符入力"));
  toolAction(Letter1, QStringLiteral("Aa"), QStringLiteral("文字入力"));
  toolAction(Rect1, QStringLiteral("□"), QStringLiteral("矩形編集"));
  toolAction(TextWindow1, QStringLiteral("T"), QStringLiteral("テキスト"));
  const auto pictured = [this](const char *picture, const char *hint) {
    auto *action = new QAction(QString::fromUtf8(hint), this);
    action->setIcon(QIcon(QStringLiteral(":/pictures/%1.xpm").arg(picture)));
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

  SpeedButton1 = buttonFor(Panel1, Palette1, "SpeedButton1");
  SpeedButton2 = buttonFor(Panel1, Letter1, "SpeedButton2");
  SpeedButton8 = buttonFor(Panel1, Rect1, "SpeedButton8");
  SpeedButton3 = buttonFor(Panel1, TextWindow1, "SpeedButton3");
  SpeedButton9 = buttonFor(Panel1, playAction_, "SpeedButton9");
  SpeedButton10 = buttonFor(Panel1, stopAction_, "SpeedButton10");
  SpeedButton11 = buttonFor(Panel1, toStartAction_, "SpeedButton11");
  ComboBox1 = named(new QComboBox(Panel1), "ComboBox1");
  ComboBox1->setEditable(false);
  ComboBox1->setToolTip(QStringLiteral("目次"));
  ComboBox1->setFont(page_fonts::mincho12());
  ComboBox1->setFixedWidth(305);
  SpeedButton4 = buttonFor(Panel1, previousPageAction_, "SpeedButton4");
  SpeedButton5 = buttonFor(Panel1, nextPageAction_, "SpeedButton5");
  for (QWidget *w :
       {static_cast<QWidget *>(ComboBox1), static_cast<QWidget *>(SpeedButton4),
        static_cast<QWidget *>(SpeedButton5)})
    w->setVisible(false);

  // Groups of buttons a few pixels apart; the editing group and its gap
  // leave the row to a reader.
  constexpr int GroupGap = 7;
  auto *row = new QHBoxLayout(Panel1);
  row->setContentsMargins(8, 4, 8, 4);
  row->setSpacing(0);
  for (QWidget *w : {SpeedButton1, SpeedButton2, SpeedButton8})
    row->addWidget(w);
  modeGap_ = new QSpacerItem(GroupGap, 0, QSizePolicy::Fixed);
  row->addItem(modeGap_);
  row->addWidget(SpeedButton3);
  row->addSpacing(GroupGap);
  for (QWidget *w : {SpeedButton9, SpeedButton10, SpeedButton11})
    row->addWidget(w);
  row->addSpacing(GroupGap);
  row->addWidget(ComboBox1, 0, Qt::AlignVCenter);
  row->addSpacing(GroupGap);
  row->addWidget(SpeedButton4);
  row->addWidget(SpeedButton5);
  row->addStretch(1);
}

void MainWindow::placeToolBar(bool executive) {
  modeGap_->changeSize(executive ? 7 : 0, 0, QSizePolicy::Fixed);
  Panel1->layout()->invalidate();
  Panel1->layout()->activate();
}
