// The document's page: construction, the page's state and its drawing.
#include "app/core/Document.h"

#include <QFileInfo>

#include "app/core/DocumentView.h"
#include "base/core/Cp932.h"
#include "base/core/Messages.h"
#include "score/core/TextEntry.h"

Document::Document(const Services &services, DocumentView &view,
                   QObject *parent)
    : QObject(parent),
      messages_(services.messages),
      settings_(services.settings),
      view_(view),
      programFolder_(services.programFolder),
      sequencer_(services.sequencer),
      MediaPlayer1(services.sequencer) {
  qRegisterMetaType<PlayButtons>();
  qRegisterMetaType<CanvasCursor>();
  qRegisterMetaType<EditMode>();
  services.sequencer.setEndReport([this] { MediaPlayer1Notify(); });
  services.sequencer.setReadyReport([this] { soundReady(); });
  midiPresent_ = services.sequencer.outputCount() > 0;
  FormCreate();
}

Document::~Document() = default;

QString Document::DefaultContentsPath() const {
  return programFolder_ + QStringLiteral("Data/Varnel.vrn");
}

void Document::setModified(bool modified) {
  const bool changed = page_.Modified != modified;
  page_.Modified = modified;
  if (changed) emit modifiedChanged(modified);
}

void Document::setMaxChar(int maxChar) { maxChar_ = maxChar; }

void Document::setExecutive(bool executive) {
  executive_ = executive;
  ApplyExecutiveOption();
}

void Document::enterAdministratorMode() {
  editor_.AdministratorMode = true;
  emit administratorModeEntered();
  setProtectIndicator(page_.ProtectFlag < 0);
}

void Document::ApplyExecutiveOption() { emit executiveChanged(executive_); }

void Document::NewPage() {
  ResizeCanvas();
  setPageText(QByteArray());
  ClearInputs();
  page_.CaptionPath.clear();
  page_.PagePath.clear();
  page_.InternalName.clear();
  setContentsMode(false);
  setModified(false);
  DisableSelectionButtons();
  page_.ProtectFlag = 1;
  setProtectIndicator(false);
  course_.ContentsNote.clear();
}

void Document::ClearInputs() {
  page_.clearLists();
  MediaPlayer1.close();
  MediaPlayer1.FileName.clear();
  DisablePlayButtons();
}

void Document::RedrawPaper() {
  // Fresh paper holds no rubber band: a drag it interrupts is over.
  Dragging = false;
  view_.redrawPaper(page_.StaffCount);
  emit canvasChanged();
}

void Document::ResizeCanvas() {
  Dragging = false;
  view_.resizeCanvas(page_.StaffCount, page_.StaffWidth);
  editor_.clearSelection();
  emit canvasChanged();
}

void Document::ReplayInputs() {
  const std::optional<QByteArray> badNumber = view_.replayInputs(page_);
  emit canvasChanged();
  if (badNumber) messages_.notAnInteger(cp932::toUnicode(*badNumber));
}

void Document::FullRedraw() {
  RedrawPaper();
  ReplayInputs();
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
      if (SavePage()) return true;
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

void Document::setCaption(const QString &caption) {
  caption_ = caption;
  emit captionChanged(caption);
}

void Document::setProtectIndicator(bool red) {
  protectRed_ = red;
  emit protectIndicatorChanged(red);
}

void Document::setPlayButtons(PlayButtons buttons) {
  playButtons_ = buttons;
  emit playButtonsChanged(buttons);
}

void Document::EnablePlayButtons() {
  if (!midiPresent_) return;
  setPlayButtons({true, false, true});
}

void Document::DisablePlayButtons() { setPlayButtons({}); }

void Document::setContentsMode(bool on) {
  contentsMode_ = on;
  UpdateContentsControls();
}

void Document::UpdateContentsControls() {
  emit contentsModeChanged(contentsMode_);
  if (contentsMode_) return;
  if (!page_.CaptionPath.isEmpty()) {
    setCaption(QFileInfo(page_.CaptionPath).fileName());
  } else {
    setCaption(executive_ ? QStringLiteral("(NewFile)")
                          : QStringLiteral("(NoFile)"));
  }
}

void Document::N1dan1Click(int staffCount) {
  if (!askSaveQuestion()) return;
  page_.StaffCount = staffCount;
  NewPage();
}

void Document::applyPaperDialog(int staffCount, int staffWidth) {
  page_.StaffCount = staffCount;
  page_.StaffWidth = staffWidth;
  ResizeCanvas();
  ReplayInputs();
  setModified(true);
}
