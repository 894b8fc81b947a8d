#include "app/windows/CourseWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/core/CourseEditor.h"
#include "app/windows/HistoryCaption.h"
#include "base/core/Cp932.h"

namespace {

// The entry as the list shows it: its indentation kept, a tab as four
// spaces so that it shows as one.
QString shownEntry(const QByteArray &entry) {
  QString text = cp932::toUnicode(entry);
  text.replace(QLatin1Char('\t'), QStringLiteral("    "));
  return text;
}

}  // namespace

CourseWindow::CourseWindow(CourseEditor &editor, QWidget *parent)
    : QMainWindow(parent, Qt::Window), editor_(editor) {
  setObjectName(QStringLiteral("CourseWindow"));
  auto *central = new QWidget(this);
  auto *layout = new QVBoxLayout(central);
  auto *fields = new QFormLayout;
  titleEdit_ = new QLineEdit(central);
  titleEdit_->setObjectName(QStringLiteral("ContentsTitleEdit"));
  noteEdit_ = new QLineEdit(central);
  noteEdit_->setObjectName(QStringLiteral("ContentsNoteEdit"));
  fields->addRow(QStringLiteral("題名(&T):"), titleEdit_);
  fields->addRow(QStringLiteral("注記(&N):"), noteEdit_);
  layout->addLayout(fields);

  list_ = new QListWidget(central);
  list_->setObjectName(QStringLiteral("ContentsEntryList"));
  list_->setDragDropMode(QAbstractItemView::InternalMove);
  list_->setDefaultDropAction(Qt::MoveAction);
  list_->setFont(QFont(QStringLiteral("ＭＳ 明朝")));
  layout->addWidget(list_, 1);
  problems_ = new QLabel(central);
  problems_->setObjectName(QStringLiteral("ContentsProblems"));
  problems_->setWordWrap(true);
  layout->addWidget(problems_);
  setCentralWidget(central);
  buildMenusAndButtons();

  connect(titleEdit_, &QLineEdit::editingFinished, this,
          &CourseWindow::takeTitle);
  connect(noteEdit_, &QLineEdit::editingFinished, this,
          &CourseWindow::takeNote);
  connect(list_, &QListWidget::itemActivated, this,
          &CourseWindow::openChosenPage);
  connect(list_, &QListWidget::currentRowChanged, this,
          &CourseWindow::showHistory);
  // A drag has already moved the row in the list; the step follows once
  // the drop is over, and the list is then shown from the contents again.
  connect(list_->model(), &QAbstractItemModel::rowsMoved, this,
          [this](const QModelIndex &, int start, int, const QModelIndex &,
                 int row) {
            const int to = row > start ? row - 1 : row;
            QTimer::singleShot(
                0, this, [this, start, to] { entriesDragged(start, to); });
          });
  connect(&editor_, &CourseEditor::changed, this, &CourseWindow::showContents);
  showContents();
  resize(420, 520);
}

QAction *CourseWindow::addCommand(QMenu *menu, const char *name,
                                  const QString &caption,
                                  const QKeySequence &key,
                                  void (CourseWindow::*run)()) {
  auto *action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  if (!key.isEmpty()) action->setShortcut(key);
  if (run) connect(action, &QAction::triggered, this, run);
  return action;
}

void CourseWindow::buildMenusAndButtons() {
  QMenu *file = menuBar()->addMenu(QStringLiteral("目次(&F)"));
  file->setObjectName(QStringLiteral("ContentsFileMenu"));
  QAction *saveItem =
      addCommand(file, "ContentsSave", QStringLiteral("上書き保存(&S)"),
                 QKeySequence(Qt::CTRL | Qt::Key_S), &CourseWindow::save);
  file->addSeparator();
  auto *closeItem = file->addAction(QStringLiteral("閉じる(&C)"));
  closeItem->setObjectName(QStringLiteral("ContentsClose"));
  connect(closeItem, &QAction::triggered, this, &QWidget::close);

  QMenu *edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  edit->setObjectName(QStringLiteral("ContentsEditMenu"));
  undoItem_ = addCommand(edit, "ContentsUndo", QStringLiteral("元に戻す"),
                         QKeySequence(Qt::CTRL | Qt::Key_Z), nullptr);
  redoItem_ = addCommand(edit, "ContentsRedo", QStringLiteral("やり直し"),
                         QKeySequence(Qt::CTRL | Qt::Key_Y), nullptr);
  redoItem_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  connect(undoItem_, &QAction::triggered, &editor_, &CourseEditor::undo);
  connect(redoItem_, &QAction::triggered, &editor_, &CourseEditor::redo);
  edit->addSeparator();
  const struct {
    const char *name;
    QString caption;
    QKeySequence key;
    void (CourseWindow::*run)();
  } commands[] = {
      {"ContentsAddOpenPage", QStringLiteral("開いているページを追加(&P)"),
       QKeySequence(Qt::CTRL | Qt::Key_T), &CourseWindow::addOpenPage},
      {"ContentsAddFiles", QStringLiteral("ページファイルを追加(&A)..."),
       QKeySequence(Qt::CTRL | Qt::Key_O), &CourseWindow::addPageFiles},
      {"ContentsRemove", QStringLiteral("削除(&D)"),
       QKeySequence(Qt::Key_Delete), &CourseWindow::remove},
      {"ContentsMoveUp", QStringLiteral("上へ(&U)"),
       QKeySequence(Qt::CTRL | Qt::Key_Up), &CourseWindow::moveUp},
      {"ContentsMoveDown", QStringLiteral("下へ(&W)"),
       QKeySequence(Qt::CTRL | Qt::Key_Down), &CourseWindow::moveDown},
      {"ContentsIndent", QStringLiteral("字下げ(&I)"),
       QKeySequence(Qt::CTRL | Qt::Key_Right), &CourseWindow::indent},
      {"ContentsOutdent", QStringLiteral("字上げ(&L)"),
       QKeySequence(Qt::CTRL | Qt::Key_Left), &CourseWindow::outdent},
      {"ContentsOpenPage", QStringLiteral("ページを開く(&O)"),
       QKeySequence(Qt::CTRL | Qt::Key_Return), &CourseWindow::openChosenPage},
  };
  auto *buttons = new QHBoxLayout;
  auto *more = new QHBoxLayout;
  int n = 0;
  for (const auto &c : commands) {
    QAction *action = addCommand(edit, c.name, c.caption, c.key, c.run);
    auto *button = new QPushButton(action->text(), centralWidget());
    button->setObjectName(QLatin1String(c.name) + QStringLiteral("Button"));
    button->setToolTip(action->shortcut().toString(QKeySequence::NativeText));
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    (n++ < 4 ? buttons : more)->addWidget(button);
  }
  auto *saveButton = new QPushButton(saveItem->text(), centralWidget());
  saveButton->setObjectName(QStringLiteral("ContentsSaveButton"));
  connect(saveButton, &QPushButton::clicked, saveItem, &QAction::trigger);
  more->addWidget(saveButton);
  auto *layout = static_cast<QVBoxLayout *>(centralWidget()->layout());
  layout->addLayout(buttons);
  layout->addLayout(more);
}

int CourseWindow::currentEntry() const { return list_->currentRow(); }

void CourseWindow::showContents() {
  const ContentsDocument &contents = editor_.contents();
  const QString title = cp932::toUnicode(contents.title());
  const QString note = cp932::toUnicode(contents.note());
  if (titleEdit_->text() != title) titleEdit_->setText(title);
  if (noteEdit_->text() != note) noteEdit_->setText(note);

  const int keep = wanted_ >= 0 ? wanted_ : list_->currentRow();
  wanted_ = -1;
  const QSignalBlocker quiet(list_->model());
  list_->clear();
  const QIcon mark = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  const QList<QByteArray> entries = contents.entries();
  for (int i = 0; i < entries.size(); ++i) {
    auto *item = new QListWidgetItem(shownEntry(entries[i]));
    const QString why = editor_.problem(i);
    if (!why.isEmpty()) {
      item->setIcon(mark);
      item->setToolTip(why);
      item->setForeground(Qt::red);
    }
    item->setData(Qt::UserRole, why);
    list_->addItem(item);
  }
  list_->reset();
  if (!entries.isEmpty())
    list_->setCurrentRow(std::clamp(keep, 0, int(entries.size()) - 1));

  const int bad = editor_.problemCount();
  problems_->setText(
      bad == 0 ? QString()
               : QStringLiteral("問題のある項目が %1 あります"
                                "（印の項目にマウスを置くと理由が出ます）。")
                     .arg(bad));
  setWindowTitle(
      QStringLiteral("目次 - %1%2")
          .arg(QFileInfo(editor_.path()).fileName(),
               editor_.isModified() ? QStringLiteral(" *") : QString()));
  showHistory();
}

void CourseWindow::showHistory() {
  const QUndoStack &history = editor_.history();
  undoItem_->setText(historyCaption(QStringLiteral("元に戻す"),
                                    history.undoText(), history.canUndo()));
  undoItem_->setEnabled(history.canUndo());
  redoItem_->setText(historyCaption(QStringLiteral("やり直し"),
                                    history.redoText(), history.canRedo()));
  redoItem_->setEnabled(history.canRedo());
}

void CourseWindow::editChosen(const std::function<void(int)> &edit,
                              int offset) {
  const int row = currentEntry();
  if (row < 0) return;
  wanted_ = row + offset;
  edit(row);
  wanted_ = -1;
}

void CourseWindow::addOpenPage() {
  const int at = currentEntry() + 1;
  wanted_ = at;
  editor_.addOpenPage(at > 0 ? at : -1);
  wanted_ = -1;
}

void CourseWindow::addPageFiles() {
  const int at = currentEntry() + 1;
  wanted_ = at;
  editor_.addPagesWithDialog(at > 0 ? at : -1);
  wanted_ = -1;
}

void CourseWindow::remove() {
  editChosen([this](int row) { editor_.remove(row); }, 0);
}

void CourseWindow::moveUp() {
  if (currentEntry() <= 0) return;
  editChosen([this](int row) { editor_.move(row, row - 1); }, -1);
}

void CourseWindow::moveDown() {
  if (currentEntry() + 1 >= list_->count()) return;
  editChosen([this](int row) { editor_.move(row, row + 1); }, 1);
}

void CourseWindow::indent() {
  editChosen([this](int row) { editor_.indent(row); }, 0);
}

void CourseWindow::outdent() {
  editChosen([this](int row) { editor_.outdent(row); }, 0);
}

void CourseWindow::entriesDragged(int from, int to) {
  wanted_ = to;
  editor_.move(from, to);
  wanted_ = -1;
  // A drop on its own place changes nothing, but the list is shown again.
  showContents();
}

void CourseWindow::openChosenPage() {
  const int row = currentEntry();
  if (row >= 0) emit openPageRequested(editor_.pagePath(row));
}

void CourseWindow::save() { editor_.save(); }

void CourseWindow::takeTitle() {
  if (!editor_.setTitle(titleEdit_->text())) showContents();
}

void CourseWindow::takeNote() {
  if (!editor_.setNote(noteEdit_->text())) showContents();
}

void CourseWindow::closeEvent(QCloseEvent *event) {
  if (editor_.askSaveQuestion())
    event->accept();
  else
    event->ignore();
}
