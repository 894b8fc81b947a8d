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
  glyphGroup = new QButtonGroup(this);
  for (int tag = 1; tag <= 14; ++tag) {
    // Two columns of seven, overlapping by a pixel as the bevels allow.
    const int column = (tag - 1) / 7, row = (tag - 1) % 7;
    QToolButton *button =
        makeButton(this, QRect(24 * column, 24 * row, ButtonSize, ButtonSize),
                   QString(), QString());
    button->setCheckable(true);
    button->setIcon(buttonPicture(pictureGlyph(tag)));
    button->setIconSize(QSize(PictureSize, PictureSize));
    glyphGroup->addButton(button, tag);
  }
  glyphGroup->setExclusive(true);
  glyphButton(3)->setChecked(true);  // the quarter note, as PaletteTag starts
  connect(glyphGroup, &QButtonGroup::idClicked, this,
          &NotePaletteWindow::chooseGlyphButton);

  undoButton = makeButton(this, QRect(0, 168, 33, 25), QStringLiteral("Undo"),
                          QStringLiteral("一入力消す"));
  connect(undoButton, &QToolButton::clicked, this, &NotePaletteWindow::askUndo);
  listFoldButton = makeButton(this, QRect(32, 168, 17, 25), QStringLiteral("<"),
                              QStringLiteral("リスト表示／非表示"));
  connect(listFoldButton, &QToolButton::clicked, this,
          &NotePaletteWindow::foldOrUnfoldList);

  symbolListButton =
      makeButton(this, QRect(56, 8, 38, 17), QStringLiteral("記号"), QString());
  timeListButton =
      makeButton(this, QRect(94, 8, 38, 17), QStringLiteral("拍子"), QString());
  listChoiceGroup = new QButtonGroup(this);
  for (QToolButton *b : {symbolListButton, timeListButton}) {
    b->setCheckable(true);
    listChoiceGroup->addButton(b);
  }
  listChoiceGroup->setExclusive(true);
  symbolListButton->setChecked(true);
  connect(symbolListButton, &QToolButton::clicked, this,
          &NotePaletteWindow::showSymbolList);
  connect(timeListButton, &QToolButton::clicked, this,
          &NotePaletteWindow::showTimeList);

  glyphList = new QListWidget(this);
  glyphList->setObjectName(QStringLiteral("ListBox1"));
  glyphList->setGeometry(56, 24, 76, 161);
  glyphList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  glyphList->setSelectionMode(QAbstractItemView::SingleSelection);
  glyphList->setUniformItemSizes(true);
  // Taking the keyboard on its own would mark an item as if chosen.
  glyphList->setFocusPolicy(Qt::ClickFocus);
  fillList(palette_glyphs::symbolNames());
  // A choice is a new selection, by mouse or keys; the list's own current
  // row moves without one when it takes the focus.
  connect(glyphList, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem *> chosen = glyphList->selectedItems();
    if (!fillingList_ && !chosen.isEmpty())
      chooseListItem(glyphList->row(chosen.first()));
  });
}

QToolButton *NotePaletteWindow::glyphButton(int tag) const {
  return qobject_cast<QToolButton *>(glyphGroup->button(tag));
}

void NotePaletteWindow::fillList(const QStringList &items) {
  fillingList_ = true;
  glyphList->clear();
  glyphList->addItems(items);
  glyphList->setCurrentRow(-1);
  fillingList_ = false;
}

void NotePaletteWindow::chooseGlyphButton(int tag) {
  // A button choice keeps its button down until the next choice.
  glyphGroup->setExclusive(true);
  glyphButton(tag)->setChecked(true);
  fillingList_ = true;
  glyphList->setCurrentRow(-1);
  fillingList_ = false;
  emit paletteButtonChosen(tag);
}

void NotePaletteWindow::askUndo() { emit undoClicked(); }

void NotePaletteWindow::foldOrUnfoldList() {
  if (listFoldButton->text() == QLatin1String("<")) {
    setFixedSize(ListHiddenWidth, ClientHeight);
    listFoldButton->setText(QStringLiteral(">"));
  } else {
    setFixedSize(ListShownWidth, ClientHeight);
    listFoldButton->setText(QStringLiteral("<"));
  }
}

void NotePaletteWindow::showSymbolList() {
  if (symbolsShown_) return;
  symbolsShown_ = true;
  fillList(palette_glyphs::symbolNames());
  emit symbolListShown(true);
}

void NotePaletteWindow::showTimeList() {
  if (!symbolsShown_) return;
  symbolsShown_ = false;
  fillList(palette_glyphs::digitNames());
  emit symbolListShown(false);
}

void NotePaletteWindow::chooseListItem(int item) {
  // A list choice leaves no glyph button down.
  glyphGroup->setExclusive(false);
  for (QAbstractButton *button : glyphGroup->buttons())
    button->setChecked(false);
  emit listItemChosen(item);
}
