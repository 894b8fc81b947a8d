#include "app/core/CourseEditor.h"

#include <QFileInfo>

#include "app/core/ContentsCommands.h"
#include "app/core/Document.h"
#include "base/core/QuotedInput.h"
#include "files/core/ContentsFile.h"
#include "score/core/TextEntry.h"

namespace {

const QString PageFilter =
    QStringLiteral("譜面ファイル(*.fum)|*.fum|すべてのファイル(*.*)|*.*");

}  // namespace

CourseEditor::CourseEditor(Document &document, QObject *parent)
    : QObject(parent), document_(document), messages_(document.messages()) {
  connect(&history_, &QUndoStack::indexChanged, this, [this] {
    recheck();
    emit changed();
  });
}

bool CourseEditor::open(const QString &path) {
  QString error, unheld;
  std::optional<ContentsDocument> read =
      ContentsDocument::read(path, &error, &unheld);
  if (!read) {
    messages_.generalError(error);
    return false;
  }
  if (!unheld.isEmpty())
    messages_.warning(
        QStringLiteral("目次ファイルのうち、次の文字は扱えないため"
                       "「?」として読みました: %1")
            .arg(quoted_input::head(unheld)));
  if (read->unreadFrom() > 0)
    messages_.warning(contentsCutMessage(path, read->unreadFrom()) +
                      QStringLiteral("残りはそのまま保存されます。"));
  path_ = QFileInfo(path).absoluteFilePath();
  contents_ = std::move(*read);
  unsavedNew_ = false;
  history_.clear();
  recheck();
  emit changed();
  return true;
}

void CourseEditor::startNew(const QString &path) {
  path_ = QFileInfo(path).absoluteFilePath();
  contents_ = ContentsDocument::fromBytes({}, MaxContentsEntries);
  unsavedNew_ = true;
  history_.clear();
  recheck();
  emit changed();
}

QString CourseEditor::folder() const {
  return QFileInfo(path_).absolutePath() + QLatin1Char('/');
}

QString CourseEditor::problem(int index) const {
  return entry_check::reason(problems_.value(index));
}

int CourseEditor::problemCount() const {
  return static_cast<int>(std::count_if(
      problems_.begin(), problems_.end(),
      [](entry_check::Problem p) { return p != entry_check::Problem::None; }));
}

QString CourseEditor::pagePath(int index) const {
  return entryPagePath(folder(), contents_.entries().value(index));
}

void CourseEditor::recheck() {
  problems_.clear();
  const QString where = folder();
  for (const QByteArray &entry : contents_.entries())
    problems_ << entry_check::problemOf(where, entry);
}

void CourseEditor::push(ContentsSplice splice, const QString &name, int kind) {
  // The one door every change goes through: shut for a reader.
  if (splice.isEmpty() || !document_.canEdit()) return;
  history_.push(
      new ContentsEditCommand(contents_, std::move(splice), name,
                              static_cast<ContentsEditCommand::Kind>(kind)));
}

bool CourseEditor::addPages(const QStringList &paths, int at) {
  QList<QByteArray> entries;
  for (const QString &page : paths) {
    QString error;
    const QByteArray entry = entry_check::entryForPage(folder(), page, &error);
    if (!error.isEmpty()) {
      messages_.error(error);
      return false;
    }
    entries << entry;
  }
  if (entries.isEmpty() || !document_.canEdit()) return false;
  if (at < 0 || at > contents_.entryCount()) at = contents_.entryCount();
  // Several pages are one step, planned one after the other.
  const QString name = QStringLiteral("ページの追加");
  history_.beginMacro(name);
  for (const QByteArray &entry : entries)
    push(contents_.insertEntry(at++, entry), name);
  history_.endMacro();
  return true;
}

bool CourseEditor::addPagesWithDialog(int at) {
  Messages::FileDialog dialog;
  dialog.title = QStringLiteral("目次に入れるページ");
  dialog.filter = PageFilter;
  dialog.defaultExtension = QStringLiteral("fum");
  dialog.folder = folder();
  dialog.mustExist = true;
  const QStringList chosen = messages_.openFileNames(dialog);
  return !chosen.isEmpty() && addPages(chosen, at);
}

bool CourseEditor::addOpenPage(int at) {
  // Not the page document's own question: its No lets the page go, but
  // here the page stays on screen, and only a saved file can be listed.
  if (document_.page().PagePath.isEmpty() || document_.isModified()) {
    if (messages_.askSave() != Messages::Answer::Yes || !document_.save())
      return false;
  }
  return addPages({document_.page().PagePath}, at);
}

void CourseEditor::remove(int index) {
  push(contents_.removeEntry(index), QStringLiteral("削除"));
}

void CourseEditor::move(int from, int to) {
  push(contents_.moveEntry(from, to),
       to < from ? QStringLiteral("上へ") : QStringLiteral("下へ"));
}

void CourseEditor::indent(int index) {
  if (index < 0 || index >= contents_.entryCount()) return;
  push(contents_.replaceEntry(index,
                              indentedEntry(contents_.entries().at(index))),
       QStringLiteral("字下げ"));
}

bool CourseEditor::outdent(int index) {
  if (index < 0 || index >= contents_.entryCount()) return false;
  const QByteArray entry = contents_.entries().at(index);
  if (!canOutdent(entry)) {
    messages_.beep();
    return false;
  }
  push(contents_.replaceEntry(index, outdentedEntry(entry)),
       QStringLiteral("字上げ"));
  return true;
}

bool CourseEditor::takeHeadText(const QString &text, QByteArray *bytes) {
  QString unheld;
  if (headLineText(text, bytes, &unheld)) return true;
  messages_.error(text_entry::unheldMessage(unheld));
  return false;
}

bool CourseEditor::setTitle(const QString &title) {
  QByteArray bytes;
  if (!takeHeadText(title, &bytes)) return false;
  push(contents_.setTitle(bytes), QStringLiteral("題名"),
       static_cast<int>(ContentsEditCommand::Kind::Title));
  return true;
}

bool CourseEditor::setNote(const QString &note) {
  QByteArray bytes;
  if (!takeHeadText(note, &bytes)) return false;
  push(contents_.setNote(bytes), QStringLiteral("注記"),
       static_cast<int>(ContentsEditCommand::Kind::Note));
  return true;
}

void CourseEditor::undo() {
  if (!document_.canEdit() || !history_.canUndo()) {
    messages_.beep();
    return;
  }
  history_.undo();
}

void CourseEditor::redo() {
  if (!document_.canEdit() || !history_.canRedo()) {
    messages_.beep();
    return;
  }
  history_.redo();
}

bool CourseEditor::save() {
  if (path_.isEmpty()) return false;
  if (const int bad = problemCount(); bad > 0) {
    const QString question =
        QStringLiteral(
            "目次の %1 項目に問題があります（一覧に印と理由があり"
            "ます）。このまま保存しますか？")
            .arg(bad);
    if (!messages_.askYesNo(question)) return false;
  }
  QString error;
  if (!contents_.write(path_, &error)) {
    messages_.generalError(error);
    return false;
  }
  unsavedNew_ = false;
  history_.setClean();
  document_.navigator().followSavedContents(path_);
  emit changed();
  return true;
}

bool CourseEditor::askSaveQuestion() {
  if (!isModified()) return true;
  return Messages::goesOn(
      messages_.show(QStringLiteral("目次の変更を保存しますか？"),
                     Messages::Icon::Warning, Messages::Buttons::YesNoCancel),
      [this] { return save(); });
}

void CourseEditor::openEntryPage(int index) {
  if (index < 0 || index >= contents_.entryCount()) return;
  document_.files().openFile(pagePath(index));
}
