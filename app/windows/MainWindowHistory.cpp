// The page's history in the menus, and the keys a desktop program has for
// its File menu.
#include <QAction>
#include <QKeySequence>

#include "app/windows/HistoryCaption.h"
#include "app/windows/MainWindow.h"
#include "edit/windows/RectEditWindow.h"

void MainWindow::connectHistory() {
  historyUndoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  historyRedoItem->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y),
       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  Document *doc = &document_;
  connect(historyUndoItem, &QAction::triggered, doc, &Document::undo);
  connect(historyRedoItem, &QAction::triggered, doc, &Document::redo);
  connect(doc, &Document::historyChanged, this, &MainWindow::showHistory);
  showHistory();

  // The keys of the File menu that every desktop program has; none of them
  // is a key the program's own table gives another meaning.
  const std::pair<QAction *, QKeySequence> keys[] = {
      {newPageItems[ScorePage::DefaultStaffCount - 1],
       QKeySequence(Qt::CTRL | Qt::Key_N)},
      {openItem, QKeySequence(Qt::CTRL | Qt::Key_O)},
      {saveItem, QKeySequence(Qt::CTRL | Qt::Key_S)},
      {saveAsItem, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
      {exitItem, QKeySequence(Qt::CTRL | Qt::Key_Q)}};
  for (const auto &[item, key] : keys) item->setShortcut(key);
}

void MainWindow::showHistory() {
  const QUndoStack &history = document_.history();
  const bool editable = document_.canEdit();
  const bool canUndo = editable && history.canUndo();
  const bool canRedo = editable && history.canRedo();
  const QString undoCaption =
      historyCaption(QStringLiteral("元に戻す"), history.undoText(), canUndo);
  const QString redoCaption =
      historyCaption(QStringLiteral("やり直し"), history.redoText(), canRedo);
  historyUndoItem->setText(undoCaption);
  historyUndoItem->setEnabled(canUndo);
  historyRedoItem->setText(redoCaption);
  historyRedoItem->setEnabled(canRedo);
  if (rectWindow_)
    rectWindow_->showHistory(undoCaption, canUndo, redoCaption, canRedo);
}
