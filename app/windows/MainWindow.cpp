#include "app/windows/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QMenuBar>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/core/Messages.h"
#include "app/core/PagePlayer.h"
#include "app/windows/TextWindow.h"
#include "score/render/PageFonts.h"
#include "score/windows/CanvasView.h"
#include "score/windows/StaffPaperDialog.h"

namespace {

QToolButton *makeButton(QWidget *panel, const QString &text,
                        const QString &hint, int left) {
  auto *button = new QToolButton(panel);
  button->setText(text);
  button->setToolTip(hint);
  button->setAutoRaise(true);
  button->setGeometry(left, 4, 25, 25);
  return button;
}

}  // namespace

TForm1::TForm1(const Services &services, QWidget *parent)
    : QMainWindow(parent),
      messages_(services.messages),
      player_(services.player),
      settings_(services.settings),
      programFolder_(services.programFolder),
      arguments_(services.arguments),
      screenSize_(services.screenSize) {
  setWindowTitle(QStringLiteral("Varnel"));
  resize(640, 455);
  runPaperDialog = [](TForm4 &dialog) { dialog.exec(); };

  auto *central = new QWidget(this);
  auto *layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  Panel1 = new QWidget(central);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(33);
  Panel1->setAutoFillBackground(true);
  Panel1->setFocusPolicy(Qt::StrongFocus);
  ScrollBox1 = new QScrollArea(central);
  ScrollBox1->setBackgroundRole(QPalette::Dark);
  Image1 = new CanvasView(canvas);
  ScrollBox1->setWidget(Image1);
  ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(Panel1);
  layout->addWidget(ScrollBox1, 1);
  setCentralWidget(central);

  buildMenus();
  buildToolBar();
  connectCommands();
  setProtectIndicator(false);
  setAcceptDrops(true);
  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::attachToolWindows(TForm2 *palette, TForm3 *text, TForm5 *letter,
                               TForm9 *rect, TForm6 *clefs) {
  Form2 = palette;
  Form3 = text;
  Form5 = letter;
  Form9 = rect;
  Form6 = clefs;
}

void TForm1::buildMenus() {
  QMenuBar *bar = menuBar();
  File1 = bar->addMenu(QStringLiteral("ファイル(&F)"));
  New1 = File1->addMenu(QStringLiteral("新規作成(&N)"));
  NewMenuAction = New1->menuAction();
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
  N6 = File1->addSeparator();
  mojisu1 = File1->addAction(QStringLiteral("一行の文字数設定(&M)..."));
  GMON1 = File1->addAction(QStringLiteral("GM音源の初期化(&G)"));
  N1 = File1->addSeparator();
  Exit1 = File1->addAction(QStringLiteral("Varnelの終了(&X)"));

  Edit1 = bar->addMenu(QStringLiteral("編集(&E)"));
  EditMenuAction = Edit1->menuAction();
  Undo1 = Edit1->addAction(QStringLiteral("一入力消す(&U)"));
  Erase1 = Edit1->addAction(QStringLiteral("逐次消去(&D)..."));
  InsDel1 = Edit1->addMenu(QStringLiteral("全体シフト(&S)"));
  Up1 = InsDel1->addAction(QStringLiteral("上へ"));
  Down1 = InsDel1->addAction(QStringLiteral("下へ"));
  N4 = Edit1->addSeparator();
  Gosensi1 = Edit1->addAction(QStringLiteral("五線紙の設定(&G)..."));
  AutoDraw1 = Edit1->addAction(QStringLiteral("音部記号・小節線(&A)..."));

  Window1 = bar->addMenu(QStringLiteral("表示(&V)"));
  WindowMenuAction = Window1->menuAction();
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

  // Commands whose windows are not part of this program yet stand disabled.
  for (QAction *a : {Erase1, Up1, Down1, AutoDraw1, Contents1, About1, mojisu1})
    a->setEnabled(false);
}

void TForm1::buildToolBar() {
  SpeedButton1 =
      makeButton(Panel1, QStringLiteral("♪"), QStringLiteral("音符入力"), 8);
  SpeedButton2 =
      makeButton(Panel1, QStringLiteral("Aa"), QStringLiteral("文字入力"), 32);
  SpeedButton8 =
      makeButton(Panel1, QStringLiteral("□"), QStringLiteral("矩形編集"), 56);
  modeButtons = new QButtonGroup(this);
  for (QToolButton *b : {SpeedButton1, SpeedButton2, SpeedButton8}) {
    b->setCheckable(true);
    modeButtons->addButton(b);
  }
  // At most one mode is on, and all may be off.
  modeButtons->setExclusive(false);
  SpeedButton3 =
      makeButton(Panel1, QStringLiteral("T"), QStringLiteral("テキスト"), 88);
  SpeedButton3->setCheckable(true);
  SpeedButton9 = makeButton(Panel1, QString(), QStringLiteral("再生"), 120);
  SpeedButton9->setIcon(QIcon(QStringLiteral(":/pictures/play.xpm")));
  SpeedButton10 = makeButton(Panel1, QString(), QStringLiteral("停止"), 144);
  SpeedButton10->setIcon(QIcon(QStringLiteral(":/pictures/stop.xpm")));
  SpeedButton11 = makeButton(Panel1, QString(), QStringLiteral("曲頭"), 168);
  SpeedButton11->setIcon(QIcon(QStringLiteral(":/pictures/tostart.xpm")));
  for (QToolButton *b : {SpeedButton9, SpeedButton10, SpeedButton11})
    b->setEnabled(false);
  ComboBox1 = new QComboBox(Panel1);
  ComboBox1->setEditable(false);
  ComboBox1->setToolTip(QStringLiteral("目次"));
  ComboBox1->setFont(page_fonts::mincho12());
  ComboBox1->setGeometry(200, 6, 305, ComboBox1->sizeHint().height());
  SpeedButton4 =
      makeButton(Panel1, QStringLiteral("<"), QStringLiteral("前の頁へ"), 512);
  SpeedButton5 =
      makeButton(Panel1, QStringLiteral(">"), QStringLiteral("次の頁へ"), 536);
  for (QWidget *w :
       {static_cast<QWidget *>(ComboBox1), static_cast<QWidget *>(SpeedButton4),
        static_cast<QWidget *>(SpeedButton5)})
    w->setVisible(false);
}

void TForm1::placeToolBar(bool executive) {
  const int shift = executive ? 0 : 80;
  SpeedButton3->move(88 - shift, 4);
  SpeedButton9->move(120 - shift, 4);
  SpeedButton10->move(144 - shift, 4);
  SpeedButton11->move(168 - shift, 4);
  ComboBox1->move(200 - shift, 6);
  SpeedButton4->move(512 - shift, 4);
  SpeedButton5->move(536 - shift, 4);
}

void TForm1::connectCommands() {
  for (QAction *item : N1dan) {
    connect(item, &QAction::triggered, this,
            [this, item] { N1dan1Click(item->data().toInt()); });
  }
  connect(K1, &QAction::triggered, this, &TForm1::K1Click);
  connect(Gosensi1, &QAction::triggered, this, &TForm1::Gosensi1Click);
  connect(Save1, &QAction::triggered, this, &TForm1::Save1Click);
  connect(SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
  connect(Open1, &QAction::triggered, this, &TForm1::Open1Click);
  connect(OpenClip1, &QAction::triggered, this, &TForm1::OpenClip1Click);
  connect(SaveBmp1, &QAction::triggered, this, &TForm1::SaveBmp1Click);
  connect(CopyAsBmp1, &QAction::triggered, this, &TForm1::CopyAsBmp1Click);
  for (QAction *item : ReOpen) {
    connect(item, &QAction::triggered, this,
            [this, item] { ReOpen1Click(item->data().toInt()); });
  }
  connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
  connect(Varnel1, &QAction::triggered, this, &TForm1::Varnel1Click);
  connect(ComboBox1, &QComboBox::activated, this, &TForm1::LoadSelectedEntry);
  connect(SpeedButton4, &QToolButton::clicked, this,
          &TForm1::SpeedButton4Click);
  connect(SpeedButton5, &QToolButton::clicked, this,
          &TForm1::SpeedButton5Click);
  connect(Palette1, &QAction::triggered, this, &TForm1::Palette1Click);
  connect(Letter1, &QAction::triggered, this, &TForm1::Letter1Click);
  connect(Rect1, &QAction::triggered, this, &TForm1::Rect1Click);
  connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::Palette1Click);
  connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::Letter1Click);
  connect(SpeedButton8, &QToolButton::clicked, this, &TForm1::Rect1Click);
  connect(Undo1, &QAction::triggered, this, &TForm1::Undo1Click);
  connect(Image1, &CanvasView::mouseDown, this, &TForm1::Image1MouseDown);
}

void TForm1::setCaption(const QString &caption) {
  setWindowTitle(caption);
  ApplicationTitle = caption;
}

void TForm1::setProtectIndicator(bool red) {
  protectRed_ = red;
  QPalette palette = Panel1->palette();
  palette.setColor(QPalette::Window,
                   red ? QColor(255, 0, 0)
                       : QApplication::palette().color(QPalette::Button));
  Panel1->setPalette(palette);
}

void TForm1::ApplyExecutiveOption() {
  const bool e = Executive;
  if (Form3) Form3->setReadOnly(!e);
  for (QToolButton *b : {SpeedButton1, SpeedButton2, SpeedButton8})
    b->setVisible(e);
  for (QAction *a : {OpenClip1, N2, N7, Save1, SaveAs1, SaveBmp1, mojisu1, N6,
                     EditMenuAction, WindowMenuAction, NewMenuAction})
    a->setVisible(e);
  placeToolBar(e);
}

void TForm1::EnablePlayButtons() {
  if (!MidiPresent) return;
  SpeedButton9->setEnabled(true);
  SpeedButton10->setEnabled(false);
  SpeedButton11->setEnabled(true);
}

void TForm1::DisablePlayButtons() {
  for (QToolButton *b : {SpeedButton9, SpeedButton10, SpeedButton11})
    b->setEnabled(false);
}
