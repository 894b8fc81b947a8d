// The document's page: construction, the page's state and its drawing.
#include "app/core/Document.h"

#include "app/core/DocumentView.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "score/core/TextEntry.h"

Document::Document(const Services &services, DocumentView &view,
                   QObject *parent)
    : QObject(parent),
      messages_(services.messages),
      view_(view),
      session_(services.messages, services.settings, services.programFolder),
      playback_(services.messages, services.sequencer, services.programFolder) {
  setStartValues();
}

void Document::setStartValues() {
  page_.StaffCount = ScorePage::DefaultStaffCount;
  page_.StaffWidth = ScorePage::DefaultStaffWidth;
  editor_.PaletteTag = 3;
  editor_.PaletteButtonActive = true;
  editor_.AdministratorMode = false;
}

void Document::setModified(bool modified) {
  const bool changed = page_.Modified != modified;
  page_.Modified = modified;
  if (changed) emit modifiedChanged(modified);
}

void Document::enterAdministratorMode() {
  editor_.AdministratorMode = true;
  emit administratorModeEntered();
  view_.showProtectIndicator(page_.ProtectFlag < 0);
}

void Document::newPage() {
  resizeCanvas();
  setPageText(QByteArray());
  clearInputs();
  page_.CaptionPath.clear();
  page_.PagePath.clear();
  page_.InternalName.clear();
  navigator_.setActive(false);
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

void Document::appendInput(const QByteArray &content, int x, int y) {
  page_.append(content, x, y);
  view_.drawInput(content, x, y);
  emit canvasChanged();
}

bool Document::askSaveQuestion() {
  if (!page_.Modified) return true;
  switch (messages_.askSave()) {
    case Messages::Answer::Yes:
      if (save()) return true;
      // Not stored (a protected page is refused too): the command stops
      // and the edits stay, for the user to save elsewhere or let go.
      setModified(true);
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

void Document::setPageText(const QByteArray &text) {
  page_.PageText = text;
  emit pageTextChanged(text);
  setModified(true);
}

QString Document::typePageText(const QString &typed) {
  // Characters the page cannot hold are left out, so that the page saved
  // is the text shown once the window has dropped them too.
  QString unheld;
  page_.PageText =
      text_entry::pageTextFromTyped(text_entry::withoutUnheld(typed, &unheld));
  setModified(true);
  return unheld;
}
