// The main window's tool windows: what they report goes to the document.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QToolButton>

#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"
#include "edit/windows/ClefBarlineWindow.h"
#include "edit/windows/RectEditWindow.h"
#include "score/windows/LetterWindow.h"
#include "score/windows/NotePalette.h"

namespace {

void connectMode(ModeWindow &window, PageInput &input, EditMode mode) {
  QObject::connect(&window, &ModeWindow::modeShown, &input,
                   [&input, mode] { input.modeWindowShown(mode); });
  QObject::connect(&window, &ModeWindow::modeHidden, &input,
                   [&input, mode] { input.modeWindowHidden(mode); });
}

}  // namespace

void MainWindow::attachTextWindow(TextWindow *text) {
  textWindow_ = text;
  connect(textWindow_, &TextWindow::visibilityChanged, textWindowItem,
          &QAction::setChecked);
}

NotePaletteWindow &MainWindow::notePalette() {
  if (notePalette_) return *notePalette_;
  PageInput *input = &document_.input();
  notePalette_ = new NotePaletteWindow(*this);
  connectMode(*notePalette_, *input, EditMode::Note);
  connect(notePalette_, &NotePaletteWindow::paletteButtonChosen, input,
          &PageInput::choosePaletteButton);
  connect(notePalette_, &NotePaletteWindow::listItemChosen, input,
          &PageInput::chooseListItem);
  connect(notePalette_, &NotePaletteWindow::symbolListShown, input,
          &PageInput::showSymbolList);
  connect(notePalette_, &NotePaletteWindow::undoClicked, &document_,
          [edits = &document_.edits()] { edits->undoLastInput(); });
  return *notePalette_;
}

LetterWindow &MainWindow::letterWindow() {
  if (letterWindow_) return *letterWindow_;
  PageInput *input = &document_.input();
  letterWindow_ = new LetterWindow(*this);
  connectMode(*letterWindow_, *input, EditMode::Letter);
  connect(letterWindow_, &LetterWindow::textChanged, input,
          &PageInput::setLetterText);
  connect(letterWindow_, &LetterWindow::undoClicked, &document_,
          [edits = &document_.edits()] { edits->undoLastInput(); });
  connect(input, &PageInput::letterTextWanted, letterWindow_,
          &LetterWindow::focusText);
  return *letterWindow_;
}

ClefBarlineWindow &MainWindow::clefWindow() {
  if (clefWindow_) return *clefWindow_;
  clefWindow_ = new ClefBarlineWindow(*this);
  connect(
      clefWindow_, &ClefBarlineWindow::confirmed, &document_,
      [edits = &document_.edits()](const clefs_and_barlines::Choice &choice) {
        edits->appendClefsAndBarlines(choice);
      });
  return *clefWindow_;
}

RectEditWindow &MainWindow::rectWindow() {
  if (rectWindow_) return *rectWindow_;
  Document *doc = &document_;
  RegionTool *regions = &document_.regions();
  rectWindow_ = new RectEditWindow(*this);
  connectMode(*rectWindow_, document_.input(), EditMode::Rect);
  connect(rectWindow_, &RectEditWindow::cutClicked, regions, &RegionTool::cut);
  connect(rectWindow_, &RectEditWindow::copyClicked, regions,
          &RegionTool::copy);
  connect(rectWindow_, &RectEditWindow::pasteClicked, regions,
          &RegionTool::paste);
  connect(rectWindow_, &RectEditWindow::duplicateClicked, regions,
          &RegionTool::duplicate);
  connect(rectWindow_, &RectEditWindow::deleteClicked, regions,
          &RegionTool::remove);
  connect(rectWindow_, &RectEditWindow::moveReleased, regions,
          &RegionTool::moveByArrow);
  connect(rectWindow_, &RectEditWindow::redrawChosen, regions,
          &RegionTool::redrawWithoutFrame);
  connect(rectWindow_, &RectEditWindow::selectAllChosen, regions,
          &RegionTool::selectAll);
  connect(rectWindow_, &RectEditWindow::shiftUpChosen, doc, [doc, regions] {
    doc->edits().shiftPageUp();
    regions->disableSelectionCommands();
  });
  connect(rectWindow_, &RectEditWindow::shiftDownChosen, doc, [doc, regions] {
    doc->edits().shiftPageDown();
    regions->disableSelectionCommands();
  });
  connect(rectWindow_, &RectEditWindow::paperChosen, this, [this, regions] {
    showPaperDialog();
    regions->disableSelectionCommands();
  });
  connect(regions, &RegionTool::selectionCommandsChanged, rectWindow_,
          &RectEditWindow::setSelectionButtonsEnabled);
  connect(regions, &RegionTool::pasteEnabledChanged, rectWindow_,
          &RectEditWindow::setPasteEnabled);
  connect(rectWindow_, &RectEditWindow::undoChosen, doc, &Document::undo);
  connect(rectWindow_, &RectEditWindow::redoChosen, doc, &Document::redo);
  rectWindow_->setSelectionButtonsEnabled(regions->selectionCommandsEnabled());
  rectWindow_->setPasteEnabled(regions->pasteEnabled());
  showHistory();
  return *rectWindow_;
}

void MainWindow::watchClipboard() {
  // Paste follows every change of the clipboard's text, ours and other
  // programs', and starts from what the clipboard holds now.
  RegionTool *regions = &document_.regions();
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, regions,
          &RegionTool::clipboardChanged);
  regions->clipboardChanged();
}

QList<std::pair<QWidget *, EditMode>> MainWindow::builtModeWindows() const {
  QList<std::pair<QWidget *, EditMode>> built;
  if (notePalette_) built.append({notePalette_, EditMode::Note});
  if (letterWindow_) built.append({letterWindow_, EditMode::Letter});
  if (rectWindow_) built.append({rectWindow_, EditMode::Rect});
  return built;
}
