// The document's page: construction, the page's state, its history and its
// drawing.
#include "app/core/Document.h"

#include <QFileInfo>

#include "app/core/DocumentView.h"
#include "app/core/PageCommands.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "score/core/Decimal.h"
#include "score/core/TextEntry.h"

namespace {

// Steps kept for undo; a step holds only what it changed, so a thousand
// cost little beside the page itself.
constexpr int HistoryLimit = 1000;

}  // namespace

Document::Document(const Services &services, DocumentView &view,
                   QObject *parent)
    : QObject(parent),
      messages_(services.messages),
      view_(view),
      session_(services.messages, services.settings, services.programFolder),
      playback_(services.messages, services.sequencer, services.programFolder) {
  history_.setUndoLimit(HistoryLimit);
  connect(&history_, &QUndoStack::cleanChanged, this,
          &Document::updateModified);
  connect(&history_, &QUndoStack::indexChanged, this,
          &Document::historyChanged);
  // A reader changes nothing, however the option was set (also from the
  // settings at start-up).
  connect(&session_, &ProgramSession::executiveChanged, &input_,
          &PageInput::setEditable);
  connect(&session_, &ProgramSession::executiveChanged, this,
          &Document::historyChanged);
  setStartValues();
}

Document::~Document() {
  // The history empties itself as it goes, after the objects beside the
  // page have gone: nobody is told.
  history_.disconnect();
}

void Document::setStartValues() {
  page_.StaffCount = ScorePage::DefaultStaffCount;
  page_.StaffWidth = ScorePage::DefaultStaffWidth;
  editor_.PaletteTag = 3;
  editor_.PaletteButtonActive = true;
  editor_.AdministratorMode = false;
}

// --- The modified mark ------------------------------------------------------

void Document::setModified(bool modified) {
  if (modified) {
    // No step stands at the saved page any more.
    history_.resetClean();
  } else {
    history_.setClean();
    textTyped_ = false;
  }
  updateModified();
}

void Document::updateModified() {
  const bool modified = !history_.isClean() || textTyped_;
  if (page_.Modified == modified) return;
  page_.Modified = modified;
  emit modifiedChanged(modified);
}

bool Document::setExecutive(bool executive) {
  if (!executive && session_.executive()) {
    if (!askSaveQuestion()) return false;
    input_.setMode(EditMode::None);
  }
  session_.setExecutive(executive);
  return true;
}

void Document::enterAdministratorMode() {
  editor_.AdministratorMode = true;
  emit administratorModeEntered();
  view_.showProtectIndicator(page_.ProtectFlag < 0);
}

// --- The history ------------------------------------------------------------

void Document::push(QUndoCommand *command) {
  // The one door every change goes through: shut for a reader.
  if (!canEdit()) {
    delete command;
    return;
  }
  history_.push(command);
  refreshCanvas();
  updateModified();
}

void Document::startHistory() {
  history_.clear();
  emit historyChanged();
}

bool Document::canEdit() const { return input_.editable(); }

void Document::undo() { walkHistory(true); }

void Document::redo() { walkHistory(false); }

void Document::walkHistory(bool back) {
  if (!canEdit()) return;
  if (!(back ? history_.canUndo() : history_.canRedo())) {
    messages_.beep();
    return;
  }
  regions_.letGo();
  if (back)
    history_.undo();
  else
    history_.redo();
  refreshCanvas();
}

int Document::appendInputs(InputList inputs, const QString &name) {
  if (!canEdit()) return 0;
  auto *command =
      new AppendInputsCommand(page_, *this, std::move(inputs), name);
  push(command);
  // Asked of the step still on the stack: pushing never merges it away.
  return command->appended();
}

void Document::appendInput(const QByteArray &content, int x, int y) {
  InputList input;
  input.append(content, x, y);
  appendInputs(std::move(input), QStringLiteral("入力"));
}

void Document::removeInputs(QList<int> indices, const QString &name) {
  push(new RemoveInputsCommand(page_, *this, std::move(indices), name));
}

void Document::movePlaces(QList<int> indices, int dx, int dy) {
  if (indices.isEmpty()) return;
  push(new MovePlacesCommand(page_, *this, std::move(indices), dx, dy));
}

void Document::shiftPage(int dy) {
  push(new MovePlacesCommand(page_, *this, dy));
}

void Document::changePaper(int staffCount, int staffWidth) {
  push(new PaperSizeCommand(page_, *this, staffCount, staffWidth));
}

// --- The canvas -------------------------------------------------------------

void Document::inputsAppended(int first) {
  if (stale_ == Stale::None) {
    stale_ = Stale::Appended;
    firstAppended_ = first;
  } else if (stale_ == Stale::Appended) {
    firstAppended_ = std::min(firstAppended_, first);
  }
}

void Document::inputsChanged() {
  if (stale_ != Stale::WholePage) stale_ = Stale::Inputs;
}

void Document::wholePageChanged() { stale_ = Stale::WholePage; }

void Document::refreshCanvas() {
  const Stale stale = std::exchange(stale_, Stale::None);
  if (stale == Stale::None) return;
  // A frame is XORed over the picture: anything drawn under it needs the
  // picture drawn anew first.
  const bool framed = editor_.hasSelection();
  if (stale == Stale::WholePage) {
    redrawResized();
  } else if (stale == Stale::Inputs || framed) {
    redrawAll();
  } else {
    // New inputs at the end are stamped alone, over what is there.
    const InputList &inputs = page_.Inputs;
    for (int i = firstAppended_; i < inputs.count(); ++i) {
      const std::optional<int> x = parseDecimal(inputs.x(i));
      const std::optional<int> y = parseDecimal(inputs.y(i));
      if (x && y) view_.drawInput(inputs.content(i).toByteArray(), *x, *y);
    }
    emit canvasChanged();
  }
  regions_.canvasRefreshed();
}

void Document::redrawPaper() {
  // Fresh paper holds no rubber band: a drag it interrupts is over.
  regions_.canvasRedrawn();
  view_.redrawPaper(page_.StaffCount);
  emit canvasChanged();
}

void Document::resizeCanvas() {
  regions_.canvasRedrawn();
  view_.resizeCanvas(page_.StaffCount, page_.StaffWidth);
  editor_.clearSelection();
  emit canvasChanged();
}

void Document::replayInputs() {
  const std::optional<QByteArray> badNumber = view_.replayInputs(page_);
  emit canvasChanged();
  if (badNumber) messages_.notAnInteger(cp932::toUnicode(*badNumber));
}

void Document::redrawResized() {
  resizeCanvas();
  replayInputs();
}

void Document::redrawAll() {
  redrawPaper();
  replayInputs();
}

// --- A new page -------------------------------------------------------------

void Document::newPage() {
  resizeCanvas();
  setPageText(QByteArray());
  clearInputs();
  page_.CaptionPath.clear();
  page_.PagePath.clear();
  page_.InternalName.clear();
  navigator_.setActive(false);
  startHistory();
  setModified(false);
  regions_.disableSelectionCommands();
  page_.ProtectFlag = 1;
  view_.showProtectIndicator(false);
  navigator_.clearNote();
}

void Document::clearInputs() {
  page_.clearLists();
  playback_.closePiece();
}

bool Document::askSaveQuestion() {
  if (!page_.Modified) return true;
  switch (messages_.askSave()) {
    case Messages::Answer::Yes:
      if (save()) return true;
      // Not stored (a protected page is refused too): the command stops
      // and the edits stay, for the user to save elsewhere or let go.
      return false;
    case Messages::Answer::No:
      // The user lets the page go: a later question in the same command
      // is not asked again.
      setModified(false);
      return true;
    default:
      return false;
  }
}

bool Document::offerSaveBeforeReading() {
  if (!page_.Modified) return true;
  return Messages::goesOn(messages_.askSave(), [this] { return save(); });
}

// --- The page text ----------------------------------------------------------

void Document::setPageText(const QByteArray &text) {
  page_.PageText = text;
  const QByteArray shown = text_entry::shownHead(text);
  const bool whole = shown.size() == text.size();
  emit pageTextChanged(shown, whole);
  // The page keeps all of it: a save writes the text as it was read.
  if (!whole)
    messages_.warning(
        QStringLiteral("「%1」のページ・テキストは %2 KB あり、長すぎるため"
                       "先頭の %3 KB だけを表示します。表示しない部分も"
                       "保存のときはそのまま書き込まれます。このテキストは"
                       "ここでは編集できません。")
            .arg(pageName())
            .arg(text.size() / 1024)
            .arg(shown.size() / 1024));
  textTyped_ = true;
  updateModified();
}

QString Document::pageName() const {
  if (!page_.PagePath.isEmpty()) return QFileInfo(page_.PagePath).fileName();
  if (!page_.InternalName.isEmpty())
    return cp932::toUnicode(page_.InternalName);
  return QStringLiteral("(クリップボード・データ)");
}

QString Document::typePageText(const QString &typed) {
  // Characters the page cannot hold are left out, so that the page saved
  // is the text shown once the window has dropped them too.
  QString unheld;
  page_.PageText =
      text_entry::pageTextFromTyped(text_entry::withoutUnheld(typed, &unheld));
  textTyped_ = true;
  updateModified();
  return unheld;
}
