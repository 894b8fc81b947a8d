#include "app/windows/AboutBox.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/core/Document.h"
#include "base/core/Cp932.h"
#include "score/windows/ObjectNames.h"

namespace {

// The modifier keys that count for the administrator gesture.
constexpr Qt::KeyboardModifiers gestureKeys =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
    Qt::MetaModifier;

}  // namespace

AboutBox::AboutBox(QWidget *parent, Document &document)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      document_(document) {
  setObjectName(QStringLiteral("Form8"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  buildControls();
  connect(okButton, &QPushButton::clicked, this, &AboutBox::confirm);
  // The release must be seen with its modifiers before the click closes
  // the box.
  okButton->installEventFilter(this);
}

void AboutBox::buildControls() {
  auto *icon = named(new QLabel(this), "Image1");
  icon->setFixedSize(32, 32);
  // The main window's icon, the treble clef, reaches the box as its parent's.
  icon->setPixmap(windowIcon().pixmap(QSize(32, 32)));
  auto *name = named(new QLabel(QStringLiteral("Varnel"), this), "Label1");
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  auto *version =
      named(new QLabel(QStringLiteral("version 3.1"), this), "Label2");
  auto *rule = named(new QFrame(this), "Bevel1");
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  auto *dataFile =
      named(new QLabel(QStringLiteral("DataFile :"), this), "Label3");
  courseNoteLabel = named(new QLabel(this), "Label4");
  courseNoteLabel->setWordWrap(true);
  courseNoteLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  courseNoteLabel->setFixedSize(169, 49);
  executiveBox = named(new QCheckBox(QStringLiteral("Executive Option"), this),
                       "CheckBox1");
  okButton = named(new QPushButton(QStringLiteral("OK"), this), "Button1");
  okButton->setDefault(true);

  auto *grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(name, 0, 1);
  grid->addWidget(version, 1, 1);
  grid->addWidget(rule, 2, 0, 1, 2);
  grid->addWidget(dataFile, 3, 0, 1, 2);
  grid->addWidget(courseNoteLabel, 4, 0, 1, 2);
  grid->addWidget(executiveBox, 5, 0, 1, 2);
  grid->addWidget(okButton, 6, 0, 1, 2, Qt::AlignHCenter);
}

void AboutBox::centreOnScreen() {
  adjustSize();
  // The frame counts: the whole window stands in the middle.
  QRect frame = frameGeometry();
  frame.moveCenter(screen()->availableGeometry().center());
  move(frame.topLeft());
}

void AboutBox::showEvent(QShowEvent *event) {
  centreOnScreen();
  FormShow();
  QDialog::showEvent(event);
}

void AboutBox::FormShow() {
  executiveBox->setChecked(document_.session().executive());
  courseNoteLabel->setText(
      cp932::toUnicode(document_.navigator().course().ContentsNote));
}

void AboutBox::hideEvent(QHideEvent *event) {
  QDialog::hideEvent(event);
  // The window system hides the box with a minimised main window; only
  // the box's own ending counts.
  if (!event->spontaneous()) FormHide();
}

void AboutBox::FormHide() { document_.setExecutive(executiveBox->isChecked()); }

void AboutBox::confirm() { accept(); }

void AboutBox::keyPressEvent(QKeyEvent *event) {
  // Enter confirms the box whatever modifiers are held; it never enters
  // the administrator mode.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    confirm();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool AboutBox::eventFilter(QObject *watched, QEvent *event) {
  if (watched == okButton && event->type() == QEvent::MouseButtonRelease)
    Button1MouseUp(static_cast<const QMouseEvent &>(*event));
  return QDialog::eventFilter(watched, event);
}

void AboutBox::Button1MouseUp(const QMouseEvent &event) {
  if (!okButton->rect().contains(event.position().toPoint())) return;
  // Exactly Ctrl: no other modifier, and no other mouse button still down.
  if ((event.modifiers() & gestureKeys) != Qt::ControlModifier) return;
  if (event.buttons() != Qt::NoButton) return;
  document_.enterAdministratorMode();
}
