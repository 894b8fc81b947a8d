#include "score/windows/NotePalette.h"

#include <QButtonGroup>
#include <QListWidget>
#include <QPainter>
#include <QToolButton>

#include "score/core/PaletteGlyphs.h"
#include "score/render/GlyphSet.h"
#include "score/windows/ToolWindows.h"

namespace {

constexpr int ButtonSize = 25;
constexpr int PictureSize = 19;  // inside the button's bevel

// The glyph each button shows, tags 1 to 14: the stem-up form, as the
// buttons start.
int pictureGlyph(int tag) { return palette_glyphs::forButton(tag, 0); }

// The glyph's ink, cut out of its cell and fitted into the button: glyphs
// that fit keep their pixels, taller or wider ones are scaled down whole.
QPixmap buttonPicture(int glyph) {
  const QImage cell = GlyphSet::instance().image(glyph);
  QRect ink;
  for (int row = 0; row < GlyphSet::Size; ++row)
    for (int column = 0; column < GlyphSet::Size; ++column)
      if (GlyphSet::instance().ink(glyph, column, row))
        ink |= QRect(column, row, 1, 1);
  QImage shape = cell.copy(ink);
  if (shape.width() > PictureSize || shape.height() > PictureSize)
    shape = shape.scaled(PictureSize, PictureSize, Qt::KeepAspectRatio,
                         Qt::SmoothTransformation);
  QPixmap picture(PictureSize, PictureSize);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.drawImage((PictureSize - shape.width()) / 2,
                    (PictureSize - shape.height()) / 2, shape);
  return picture;
}

QToolButton *makeButton(QWidget *parent, const QRect &place,
                        const QString &caption, const QString &hint) {
  auto *button = new QToolButton(parent);
  button->setObjectName(QStringLiteral("SpeedButton%1")
                            .arg(parent->findChildren<QToolButton *>().size()));
  button->setGeometry(place);
  button->setText(caption);
  button->setToolTip(hint);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

NotePaletteWindow::NotePaletteWindow(QWidget &main) : ModeWindow(main) {
  setWindowTitle(QStringLiteral(" "));
  setWindowFlag(Qt::WindowMinimizeButtonHint, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setFont(tool_windows::font());
  buildControls();
  setFixedSize(ListShownWidth, ClientHeight);
}

void NotePaletteWindow::buildControls() {
  QToolButton **const glyphSlots[14] = {
      &SpeedButton1,  &SpeedButton2,  &SpeedButton3,  &SpeedButton4,
      &SpeedButton5,  &SpeedButton6,  &SpeedButton7,  &SpeedButton8,
      &SpeedButton9,  &SpeedButton10, &SpeedButton11, &SpeedButton12,
      &SpeedButton13, &SpeedButton14};
  GlyphButtons = new QButtonGroup(this);
  for (int tag = 1; tag <= 14; ++tag) {
    // Two columns of seven, overlapping by a pixel as the bevels allow.
    const int column = (tag - 1) / 7, row = (tag - 1) % 7;
    QToolButton *button =
        makeButton(this, QRect(24 * column, 24 * row, ButtonSize, ButtonSize),
                   QString(), QString());
    button->setCheckable(true);
    button->setIcon(buttonPicture(pictureGlyph(tag)));
    button->setIconSize(QSize(PictureSize, PictureSize));
    GlyphButtons->addButton(button, tag);
    *glyphSlots[tag - 1] = button;
  }
  GlyphButtons->setExclusive(true);
  SpeedButton3->setChecked(true);  // the quarter note, as PaletteTag starts
  connect(GlyphButtons, &QButtonGroup::idClicked, this,
          &NotePaletteWindow::SpeedButton1Click);

  SpeedButton15 =
      makeButton(this, QRect(0, 168, 33, 25), QStringLiteral("Undo"),
                 QStringLiteral("一入力消す"));
  connect(SpeedButton15, &QToolButton::clicked, this,
          &NotePaletteWindow::SpeedButton15Click);
  SpeedButton16 = makeButton(this, QRect(32, 168, 17, 25), QStringLiteral("<"),
                             QStringLiteral("リスト表示／非表示"));
  connect(SpeedButton16, &QToolButton::clicked, this,
          &NotePaletteWindow::SpeedButton16Click);

  SpeedButton17 =
      makeButton(this, QRect(56, 8, 38, 17), QStringLiteral("記号"), QString());
  SpeedButton18 =
      makeButton(this, QRect(94, 8, 38, 17), QStringLiteral("拍子"), QString());
  ListButtons = new QButtonGroup(this);
  for (QToolButton *b : {SpeedButton17, SpeedButton18}) {
    b->setCheckable(true);
    ListButtons->addButton(b);
  }
  ListButtons->setExclusive(true);
  SpeedButton17->setChecked(true);
  connect(SpeedButton17, &QToolButton::clicked, this,
          &NotePaletteWindow::SpeedButton17Click);
  connect(SpeedButton18, &QToolButton::clicked, this,
          &NotePaletteWindow::SpeedButton18Click);

  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setGeometry(56, 24, 76, 161);
  ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setUniformItemSizes(true);
  // Taking the keyboard on its own would mark an item as if chosen.
  ListBox1->setFocusPolicy(Qt::ClickFocus);
  fillList(palette_glyphs::symbolNames());
  // A choice is a new selection, by mouse or keys; the list's own current
  // row moves without one when it takes the focus.
  connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem *> chosen = ListBox1->selectedItems();
    if (!fillingList_ && !chosen.isEmpty())
      ListBox1Click(ListBox1->row(chosen.first()));
  });
}

QToolButton *NotePaletteWindow::glyphButton(int tag) const {
  return qobject_cast<QToolButton *>(GlyphButtons->button(tag));
}

void NotePaletteWindow::fillList(const QStringList &items) {
  fillingList_ = true;
  ListBox1->clear();
  ListBox1->addItems(items);
  ListBox1->setCurrentRow(-1);
  fillingList_ = false;
}

void NotePaletteWindow::SpeedButton1Click(int tag) {
  // A button choice keeps its button down until the next choice.
  GlyphButtons->setExclusive(true);
  glyphButton(tag)->setChecked(true);
  fillingList_ = true;
  ListBox1->setCurrentRow(-1);
  fillingList_ = false;
  emit paletteButtonChosen(tag);
}

void NotePaletteWindow::SpeedButton15Click() { emit undoClicked(); }

void NotePaletteWindow::SpeedButton16Click() {
  if (SpeedButton16->text() == QLatin1String("<")) {
    setFixedSize(ListHiddenWidth, ClientHeight);
    SpeedButton16->setText(QStringLiteral(">"));
  } else {
    setFixedSize(ListShownWidth, ClientHeight);
    SpeedButton16->setText(QStringLiteral("<"));
  }
}

void NotePaletteWindow::SpeedButton17Click() {
  if (symbolsShown_) return;
  symbolsShown_ = true;
  fillList(palette_glyphs::symbolNames());
  emit symbolListShown(true);
}

void NotePaletteWindow::SpeedButton18Click() {
  if (!symbolsShown_) return;
  symbolsShown_ = false;
  fillList(palette_glyphs::digitNames());
  emit symbolListShown(false);
}

void NotePaletteWindow::ListBox1Click(int item) {
  // A list choice leaves no glyph button down.
  GlyphButtons->setExclusive(false);
  for (QAbstractButton *button : GlyphButtons->buttons())
    button->setChecked(false);
  emit listItemChosen(item);
}
